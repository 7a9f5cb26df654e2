// The shader list: reading sources, building programs and looking up their uniforms.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "glTestContext.h"
#include "scratchDirectory.h"
#include "shaderList.h"

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

struct FreeText {
    void operator()(char* text) const { free(text); }
};
using Text = std::unique_ptr<char, FreeText>;

const char* VERTEX =
    "#version 120\n"
    "uniform float first;\n"
    "uniform float second;\n"
    "void main() { gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex * (first + second); }\n";
const char* FRAGMENT =
    "#version 120\n"
    "void main() { gl_FragColor = vec4(1.0); }\n";

}  // namespace

TEST(ReadEmitter, ReturnsTheWholeTextOfAFile) {
    ScratchDirectory dir;
    struct Case {
        const char* content;
        const char* size;
    } cases[] = {
        {"", "0"},
        {"void main() {}", "14"},  // no final line end: the last character stays
        {"line one\nline two\n", "18"},
    };
    for (const Case& c : cases) {
        dir.write("source.vs", c.content);
        CaptureStdout();
        Text text(readEmitter("source.vs"));
        std::string out = GetCapturedStdout();
        ASSERT_NE(text, nullptr) << c.content;
        EXPECT_STREQ(text.get(), c.content);
        EXPECT_EQ(out, std::string("File 'source.vs' is ") + c.size + " long\n");
    }
}

TEST(ReadEmitter, WhatCannotBeReadAsAFileGivesNull) {
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.path / "folder.vs");
    const struct {
        const char* name;
        const char* error;  // null: whatever the system says
    } cases[] = {{"absent.vs", "Can't open file 'absent.vs' for reading\n"}, {"folder.vs", nullptr}};
    for (const auto& c : cases) {
        CaptureStderr();
        Text text(readEmitter(c.name));
        const std::string error = GetCapturedStderr();
        EXPECT_EQ(text, nullptr) << c.name;
        if (c.error) {
            EXPECT_EQ(error, c.error);
        }
    }
}

class ShaderListTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        dir.write("plain.vs", VERTEX);
        dir.write("plain.fs", FRAGMENT);
    }
    // Inserts an entry with its console lines swallowed.
    void insert(const std::string& name) {
        CaptureStdout();
        CaptureStderr();
        list.insertShader(name);
        GetCapturedStderr();
        GetCapturedStdout();
    }
    ScratchDirectory dir;
    ShaderList list;
};

TEST_F(ShaderListTest, AValidPairLinksAndReportsNoLog) {
    CaptureStdout();
    list.insertShader("plain");
    std::string out = GetCapturedStdout();
    EXPECT_EQ(out, "File 'plain.vs' is " + std::to_string(strlen(VERTEX)) + " long\n" +
                       "File 'plain.fs' is " + std::to_string(strlen(FRAGMENT)) + " long\n" +
                       "Reading shader plain\n");
    int program = 0;
    ASSERT_TRUE(list.getShader("plain", program));
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
}

TEST_F(ShaderListTest, DuplicateNamesResolveToTheFirstEntry) {
    insert("plain");
    insert("plain");
    int first = 0;
    ASSERT_TRUE(list.getShader("plain", first));
    EXPECT_TRUE(list.insertUniform("plain", "scale", "first"));

    int location = -7;
    EXPECT_TRUE(list.getUniform(first, "scale", location));
    EXPECT_EQ(location, glGetUniformLocation(first, "first"));

    // The second entry exists (its program is not the first's) but got no key.
    int second = first + 1;
    while (glIsProgram(second) == GL_FALSE && second < first + 16)
        ++second;
    ASSERT_TRUE(glIsProgram(second));
    CaptureStdout();
    location = -7;
    EXPECT_FALSE(list.getUniform(second, "scale", location));
    EXPECT_EQ(GetCapturedStdout(), "Uniform scale is not present in shader plain\n");
    EXPECT_EQ(location, -7);
}

TEST_F(ShaderListTest, AKeyKeepsItsFirstLocationAndAUniformTheProgramLacksIsMinusOne) {
    insert("plain");
    int program = 0;
    ASSERT_TRUE(list.getShader("plain", program));
    ASSERT_TRUE(list.insertUniform("plain", "k", "first"));
    ASSERT_TRUE(list.insertUniform("plain", "k", "second"));
    ASSERT_TRUE(list.insertUniform("plain", "ghost", "noSuchUniform"));
    GLint firstLocation = glGetUniformLocation(program, "first");
    ASSERT_NE(firstLocation, glGetUniformLocation(program, "second"));

    int location = -7;
    EXPECT_TRUE(list.getUniform(program, "k", location));
    EXPECT_EQ(location, firstLocation);
    location = -7;
    EXPECT_TRUE(list.getUniform("plain", "k", location));
    EXPECT_EQ(location, firstLocation);
    location = 5;
    EXPECT_TRUE(list.getUniform(program, "ghost", location));
    EXPECT_EQ(location, -1);
}

TEST_F(ShaderListTest, UnknownProgramsAndNamesFailWithoutWriting) {
    insert("plain");
    int value = -7;

    CaptureStdout();
    EXPECT_FALSE(list.getUniform(987654, "k", value));
    EXPECT_EQ(GetCapturedStdout(), "Bad shader # 987654\n");

    CaptureStdout();
    EXPECT_FALSE(list.getShader("unknown", value));
    EXPECT_FALSE(list.insertUniform("unknown", "k", "first"));
    EXPECT_FALSE(list.getUniform("unknown", "k", value));
    EXPECT_FALSE(list.getUniform("plain", "neverInserted", value));
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(value, -7);

    // The failed insertUniform added no key to any entry.
    int program = 0;
    ASSERT_TRUE(list.getShader("plain", program));
    CaptureStdout();
    EXPECT_FALSE(list.getUniform(program, "k", value));
    EXPECT_EQ(GetCapturedStdout(), "Uniform k is not present in shader plain\n");
}

TEST_F(ShaderListTest, AnEntryWithMissingSourcesIsStillRegistered) {
    dir.write("half.vs", VERTEX);  // half.fs is missing
    CaptureStderr();
    CaptureStdout();
    list.insertShader("half");
    list.insertShader("none");
    std::string out = GetCapturedStdout();
    EXPECT_EQ(GetCapturedStderr(),
              "Can't open file 'half.fs' for reading\n"
              "Can't open file 'none.vs' for reading\n"
              "Can't open file 'none.fs' for reading\n");
    EXPECT_NE(out.find("Reading shader half\n"), std::string::npos);
    EXPECT_NE(out.find("Reading shader none\n"), std::string::npos);
    EXPECT_NE(out.find("Program result:"), std::string::npos);  // the driver explains the failed link

    int half = 0;
    int none = 0;
    EXPECT_TRUE(list.getShader("half", half));
    EXPECT_TRUE(list.getShader("none", none));
    EXPECT_NE(half, none);
    EXPECT_TRUE(list.insertUniform("none", "time", "time"));
    int location = 5;
    EXPECT_TRUE(list.getUniform(none, "time", location));
    EXPECT_EQ(location, -1);
    clearGlErrors();  // the look-up in a program that never linked leaves GL an error to report
}

TEST_F(ShaderListTest, NumberedShadersAreReadUntilOneIsMissing) {
    for (const char* name : {"shader0", "shader1"}) {
        dir.write(std::string(name) + ".vs", VERTEX);
        dir.write(std::string(name) + ".fs", FRAGMENT);
    }
    CaptureStderr();
    CaptureStdout();
    std::vector<unsigned int> ids = readShaders();
    std::string out = GetCapturedStdout();
    GetCapturedStderr();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(out.find("Reading shader 1\n"), std::string::npos);
    EXPECT_NE(out.find("Reading shader 2\n"), std::string::npos);
    EXPECT_NE(out.find("Shaders read: 2\n"), std::string::npos);
}
