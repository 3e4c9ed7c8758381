# cmake -DINPUT=FILE -DOUTPUT=SOURCE -DNAME=SYMBOL -DHEADER=HEADER -P EmbedBytes.cmake
# Writes a C++ source that defines the bytes of FILE as `const uint8_t
# SYMBOL[]` and its length as `const size_t SYMBOLSize`, both declared in
# HEADER.
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
     "// Generated from ${INPUT} at build time.\n#include \"${HEADER}\"\n\n"
     "const uint8_t ${NAME}[] = {\n${bytes}\n};\nconst size_t ${NAME}Size = ${size};\n")
