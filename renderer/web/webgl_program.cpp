#include "webgl_program.h"

#include "scene_geometry.h"

namespace {

const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec2 texCoord;
uniform mat4 projection;
uniform mat4 modelView;
varying vec2 texel;
varying float eyeDistance;
void main() {
    vec4 eye = modelView * vec4(position, 1.0);
    texel = texCoord;
    eyeDistance = abs(eye.z);
    gl_Position = projection * eye;
}
)";

const char* const kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
uniform bool textured;
uniform float grey;
uniform vec2 fog;
varying vec2 texel;
varying float eyeDistance;
void main() {
    vec3 colour = vec3(grey);
    if (textured)
        colour *= texture2D(picture, texel).rgb;
    float clear = clamp((fog.y - eyeDistance) / (fog.y - fog.x), 0.0, 1.0);
    gl_FragColor = vec4(colour * clear, 1.0);
}
)";

struct Locations {
    GLint position = -1, texCoord = -1;
    GLint projection = -1, modelView = -1, textured = -1, grey = -1;
};
Locations g_at;

GLuint Compile(GLenum kind, const char* source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    return compiled ? shader : 0;
}

} // namespace

bool UseSceneProgram()
{
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vertex || !fragment)
        return false;
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked)
        return false;
    glUseProgram(program);
    g_at.position = glGetAttribLocation(program, "position");
    g_at.texCoord = glGetAttribLocation(program, "texCoord");
    g_at.projection = glGetUniformLocation(program, "projection");
    g_at.modelView = glGetUniformLocation(program, "modelView");
    g_at.textured = glGetUniformLocation(program, "textured");
    g_at.grey = glGetUniformLocation(program, "grey");
    glUniform1i(glGetUniformLocation(program, "picture"), 0);
    glUniform2f(glGetUniformLocation(program, "fog"), kFogStart, kFogEnd);
    glEnableVertexAttribArray(static_cast<GLuint>(g_at.position));
    return true;
}

void SetSceneMatrices(const Matrix4& projection, const Matrix4& modelView)
{
    glUniformMatrix4fv(g_at.projection, 1, GL_FALSE, projection.m);
    glUniformMatrix4fv(g_at.modelView, 1, GL_FALSE, modelView.m);
}

void SetSceneLook(float grey, GLuint texture)
{
    glUniform1f(g_at.grey, grey);
    glUniform1i(g_at.textured, texture != 0);
    glBindTexture(GL_TEXTURE_2D, texture);
}

void DrawSceneCorners(GLenum mode, GLint first, GLsizei count, bool textured)
{
    const auto texCoord = static_cast<GLuint>(g_at.texCoord);
    if (textured) {
        constexpr GLsizei stride = sizeof(SceneVertex);
        glEnableVertexAttribArray(texCoord);
        glVertexAttribPointer(texCoord, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
        glVertexAttribPointer(static_cast<GLuint>(g_at.position), 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(2 * sizeof(float)));
    } else {
        glDisableVertexAttribArray(texCoord);
        glVertexAttribPointer(static_cast<GLuint>(g_at.position), 3, GL_FLOAT, GL_FALSE, 0,
                              nullptr);
    }
    glDrawArrays(mode, first, count);
}
