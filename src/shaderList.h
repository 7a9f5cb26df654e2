// The registry of GLSL programs by name and their uniform locations by key.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ShaderList {
public:
    // Compiles and links name + ".vs" and name + ".fs" and appends the entry,
    // even when compiling or linking failed (the printed logs show why).
    void insertShader(const std::string& name);
    // Stores the location of glslName in the first entry called name under key;
    // false when there is no such entry.
    bool insertUniform(const std::string& name, const std::string& key, const std::string& glslName);
    // Writes the program of the first entry called name; false (and nothing written) if none.
    bool getShader(const std::string& name, int& program) const;
    // Writes the location stored under key for the entry holding program; reports a miss.
    bool getUniform(int program, const std::string& key, int& location) const;
    // The same look-up by entry name, silent on failure.
    bool getUniform(const std::string& name, const std::string& key, int& location) const;

private:
    // Writes the location stored under key in the entry; false when it has no such key.
    bool storedUniform(std::size_t entry, const std::string& key, int& location) const;

    std::vector<std::string> names;
    std::vector<int> programs;
    std::vector<std::vector<std::string>> uniformKeys;
    std::vector<std::vector<int>> uniformLocations;
};

// Whether program names a program that linked; one that failed would raise a GL error on every use.
bool isLinkedProgram(int program);
// Emits the corners of the square -1..1 at depth z, inside GL_QUADS, for a program that
// reshapes it (the layers of the flame, the sprites of the smoke).
void programQuad(float z);
// The whole text of a file on the heap (release with free), or null.
char* readEmitter(const char* path);
// Builds programs from "shader0.vs"/".fs", "shader1.vs"/".fs", ... until one is missing.
std::vector<unsigned int> readShaders();
