// The scene rendered for real into Mesa's off-screen renderer.
//
// On Linux the capture picture paths ("C:\r_mosk\Zandrel1.bmp" and
// "C:\r_mosk\Zandrel2.bmp") are plain relative file names, backslashes
// included, so each test works in a scratch folder holding files of those
// names.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "bmp_builder.h"
#include "bolt.h"
#include "bolt_random.h"
#include "gl_headers.h"
#include "offscreen_gl.h"
#include "scene.h"
#include "scratch_folder.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr double kNear = 0.1;
constexpr double kFar = 500.0;

struct Rgb {
    int r, g, b;
};

BmpRecipe Uniform(int32_t width, int32_t height, uint32_t color)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bits = PackRows(width, height, 24, [color](int32_t, int32_t) { return color; });
    return recipe;
}

// Linear fog from 10 to 20 units from the eye.
double FogFactor(double distance)
{
    return std::clamp((20.0 - distance) / 10.0, 0.0, 1.0);
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl_.Ok());
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = ScratchFolder("raivel-scene-test") / test->name();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);

        // A fresh renderer's module state.
        g_cloudTexture = 0;
        g_desktopTexture = 0;
        g_slideOffset = 10.0f;
        g_boltVisible = 0;
        g_boltRandomState = 1;
    }

    void TearDown() override
    {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    void WriteCloud(const BmpRecipe& recipe) { WriteBytes(kCloudPicturePath, BuildBmp(recipe)); }
    void WriteDesktop(const BmpRecipe& recipe)
    {
        WriteBytes(kDesktopPicturePath, BuildBmp(recipe));
    }

    void Start()
    {
        ResizeScene(kWidth, kHeight);
        ASSERT_NE(InitScene(), 0);
    }

    // Starts the scene again from its first frame, with the pictures now in
    // the folder.
    void Restart()
    {
        g_cloudTexture = g_desktopTexture = 0;
        g_slideOffset = 10.0f;
        g_boltRandomState = 1;
        frame_ = 0;
        Start();
    }

    // Draws frames up to frame `n` (the first frame is 1).
    void RenderTo(int n)
    {
        for (; frame_ < n; ++frame_)
            RenderFrame();
        glFinish();
    }

    Rgb At(int x, int y) const
    {
        const uint8_t* p = gl_.Pixel(x, y);
        return {p[0], p[1], p[2]};
    }

    // Distance from the eye, along the view, of what pixel (x, y) shows.
    double EyeDistance(int x, int y) const
    {
        GLfloat depth = 1.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        const double ndc = 2.0 * depth - 1.0;
        return 2.0 * kFar * kNear / ((kFar + kNear) - ndc * (kFar - kNear));
    }

    // Grey pixels brighter than the noise: with coloured or black pictures,
    // only the bolt draws them.
    std::vector<std::pair<int, int>> BoltPixels() const
    {
        std::vector<std::pair<int, int>> found;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const Rgb c = At(x, y);
                if (c.r == c.g && c.g == c.b && c.r > 8)
                    found.emplace_back(x, y);
            }
        return found;
    }

    // The bolt shows, its brightest pixel lit at `brightness` under the fog.
    void ExpectBoltAt(double brightness)
    {
        const auto pixels = BoltPixels();
        ASSERT_FALSE(pixels.empty()) << "frame " << frame_;
        const auto brightest = *std::max_element(pixels.begin(), pixels.end(), [&](auto a, auto b) {
            return At(a.first, a.second).r < At(b.first, b.second).r;
        });
        const double fog = FogFactor(EyeDistance(brightest.first, brightest.second));
        EXPECT_NEAR(At(brightest.first, brightest.second).r, 255 * brightness * fog, 4.0)
            << "frame " << frame_;
    }

    void ExpectNear(Rgb actual, Rgb expected, int tolerance = 1) const
    {
        EXPECT_NEAR(actual.r, expected.r, tolerance) << "frame " << frame_;
        EXPECT_NEAR(actual.g, expected.g, tolerance) << "frame " << frame_;
        EXPECT_NEAR(actual.b, expected.b, tolerance) << "frame " << frame_;
    }

    OffscreenGl gl_{kWidth, kHeight};
    int frame_ = 0;

private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
};

// The floor right in front of the viewer, well inside the fog's start.
constexpr int kNearFloorX = kWidth / 2;
constexpr int kNearFloorY = 2;

} // namespace

TEST_F(SceneTest, FlashLightsTheFloorThenItStaysDarkUntilTheNextBolt)
{
    WriteCloud(Uniform(8, 8, 0x000000));
    WriteDesktop(Uniform(64, 64, 0xC8A078)); // 200, 160, 120
    Start();

    RenderTo(1);
    ExpectNear(At(kNearFloorX, kNearFloorY), {200, 160, 120});
    ExpectBoltAt(1.0);

    for (int dark : {72, 300, 600}) {
        RenderTo(dark);
        ExpectNear(At(kNearFloorX, kNearFloorY), {60, 48, 36});
        EXPECT_TRUE(BoltPixels().empty()) << "frame " << frame_;
    }

    RenderTo(601);
    ExpectNear(At(kNearFloorX, kNearFloorY), {200, 160, 120});
    ExpectBoltAt(1.0);
    RenderTo(602);
    ExpectBoltAt(0.99);
}

TEST_F(SceneTest, FogBlackensFromTwentyUnitsAndSparesUpToTen)
{
    WriteCloud(Uniform(8, 8, 0x000000));
    WriteDesktop(Uniform(64, 64, 0xFFFFFF));
    Start();
    RenderTo(1);

    int clear = 0, black = 0, between = 0;
    for (int y = 0; y < kHeight; ++y) {
        const double distance = EyeDistance(kWidth - 20, y);
        if (distance > 100)
            continue; // nothing drawn here
        const int level = At(kWidth - 20, y).r;
        if (distance <= 9.9) {
            EXPECT_GE(level, 254) << "row " << y << " at " << distance;
            ++clear;
        } else if (distance >= 20.1) {
            EXPECT_LE(level, 1) << "row " << y << " at " << distance;
            ++black;
        } else {
            EXPECT_NEAR(level, 255 * FogFactor(distance), 4.0) << "row " << y;
            ++between;
        }
    }
    EXPECT_GT(clear, 10);
    EXPECT_GT(black, 0);
    EXPECT_GT(between, 10);
}

TEST_F(SceneTest, SlidingCeilingRestartsAtThreeQuartersWithTheNewBolt)
{
    WriteCloud(Uniform(8, 8, 0x643C14)); // 100, 60, 20
    WriteDesktop(Uniform(8, 8, 0x000000));
    Start();
    // Without fog each ceiling adds its own colour times the picture.
    glDisable(GL_FOG);

    RenderTo(600); // the sliding ceiling has faded out
    std::vector<Rgb> before;
    for (int x = 0; x < kWidth; ++x)
        before.push_back(At(x, kHeight - 3));
    RenderTo(601);
    EXPECT_FLOAT_EQ(g_slideOffset, 10.0f);

    int checked = 0;
    for (int x = 0; x < kWidth; ++x) {
        const Rgb now = At(x, kHeight - 3);
        if (now.r == now.g && now.g == now.b)
            continue; // the bolt covers it
        ExpectNear({now.r - before[x].r, now.g - before[x].g, now.b - before[x].b}, {75, 45, 15});
        ++checked;
    }
    EXPECT_GT(checked, kWidth / 2);
}

TEST_F(SceneTest, MissingPictureLeavesItsPlanesUntextured)
{
    WriteDesktop(Uniform(8, 8, 0x3264C8)); // 50, 100, 200
    Start();
    RenderTo(1);
    EXPECT_EQ(g_cloudTexture, 0u);
    ExpectNear(At(kNearFloorX, kNearFloorY), {50, 100, 200});
    // The ceilings show their plain white, fogged, at the top of the view.
    const Rgb sky = At(kWidth / 2, kHeight - 1);
    EXPECT_GT(sky.r, 20);
    EXPECT_TRUE(sky.r == sky.g && sky.g == sky.b);

    std::filesystem::remove(kDesktopPicturePath);
    WriteCloud(Uniform(8, 8, 0x3264C8));
    Restart();
    RenderTo(2);
    EXPECT_EQ(g_desktopTexture, 0u);
    // The floor shows the flash's grey alone.
    ExpectNear(At(kNearFloorX, kNearFloorY), {252, 252, 252});
}

TEST_F(SceneTest, WithNeitherPictureTheSceneCannotStart)
{
    ResizeScene(kWidth, kHeight);
    EXPECT_EQ(InitScene(), 0);
}

TEST_F(SceneTest, PictureOfOddWidthComesOutStraight)
{
    // Left half red, right half blue: a sheared upload would tilt the edge.
    const auto halves = [](int32_t width) {
        BmpRecipe recipe;
        recipe.width = width;
        recipe.height = 256;
        recipe.bits = PackRows(width, 256, 24, [width](int32_t x, int32_t) {
            return x < width / 2 ? 0xFF0000u : 0x0000FFu;
        });
        return recipe;
    };
    WriteCloud(Uniform(8, 8, 0x000000));
    WriteDesktop(halves(1024));
    Start();
    RenderTo(1);
    std::vector<Rgb> even;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            even.push_back(At(x, y));

    WriteDesktop(halves(1023));
    Restart();
    RenderTo(1);
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Rgb a = At(x, y), b = even[size_t(y) * kWidth + x];
            differing += std::abs(a.r - b.r) > 16 || std::abs(a.b - b.b) > 16;
        }
    // The two differ only along the edge, where 1023 texels were widened to
    // 1024; a sheared picture differs in about an eighth of the view.
    EXPECT_LT(differing, kWidth * kHeight / 50);
}

TEST_F(SceneTest, ZeroHeightIsTakenAsOne)
{
    ResizeScene(100, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(viewport[2], 100);
    GLdouble projection[16];
    glMatrixMode(GL_PROJECTION);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glMatrixMode(GL_MODELVIEW);
    for (double value : projection)
        EXPECT_TRUE(std::isfinite(value));
    EXPECT_NEAR(projection[5] / projection[0], 100.0, 1e-4); // aspect 100 / 1
}
