// The registry of GLSL programs and the reader of their source files.
#include "shaderList.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

const int LOG_SIZE = 1024;

// Drivers end their logs with a line break; the message must stay one line.
std::string trimmed(const char* log) {
    std::string text(log);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

void printShaderLog(const char* label, GLuint shader) {
    char log[LOG_SIZE] = {0};
    GLsizei length = 0;
    glGetShaderInfoLog(shader, LOG_SIZE, &length, log);
    if (length > 0)
        std::cout << label << trimmed(log) << std::endl;
}

void printProgramLog(GLuint program) {
    char log[LOG_SIZE] = {0};
    GLsizei length = 0;
    glGetProgramInfoLog(program, LOG_SIZE, &length, log);
    if (length > 0)
        std::cout << "Program result:" << trimmed(log) << std::endl;
}

// An unreadable file compiles as an empty text: the driver never sees a null source.
void compile(GLuint shader, char* text) {
    const char* source = text ? text : "";
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
}

// Compiles both texts (and releases them), prints the logs, links and returns the program.
GLuint buildProgram(GLuint vertex, GLuint fragment, char* vertexText, char* fragmentText) {
    compile(vertex, vertexText);
    compile(fragment, fragmentText);
    free(vertexText);
    free(fragmentText);
    printShaderLog("Vertex result:", vertex);
    printShaderLog("Fragment result:", fragment);
    GLuint program = glCreateProgram();
    glAttachShader(program, fragment);
    glAttachShader(program, vertex);
    glLinkProgram(program);
    printProgramLog(program);
    return program;
}

int findName(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

void ShaderList::insertShader(const std::string& name) {
    GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
    GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    char* vertexText = readEmitter((name + ".vs").c_str());
    char* fragmentText = readEmitter((name + ".fs").c_str());
    std::cout << "Reading shader " << name << std::endl;
    GLuint program = buildProgram(vertex, fragment, vertexText, fragmentText);
    programs.push_back(static_cast<int>(program));
    names.push_back(name);
    uniformKeys.emplace_back();
    uniformLocations.emplace_back();
}

bool ShaderList::insertUniform(const std::string& name, const std::string& key,
                               const std::string& glslName) {
    int entry = findName(names, name);
    if (entry < 0)
        return false;
    uniformKeys[entry].push_back(key);
    uniformLocations[entry].push_back(glGetUniformLocation(programs[entry], glslName.c_str()));
    return true;
}

bool ShaderList::getShader(const std::string& name, int& program) const {
    int entry = findName(names, name);
    if (entry < 0)
        return false;
    program = programs[entry];
    return true;
}

bool ShaderList::getUniform(int program, const std::string& key, int& location) const {
    for (size_t entry = 0; entry < programs.size(); ++entry) {
        if (programs[entry] != program)
            continue;
        if (storedUniform(entry, key, location))
            return true;
        std::cout << "Uniform " << key << " is not present in shader " << names[entry] << std::endl;
        return false;
    }
    std::cout << "Bad shader # " << program << std::endl;
    return false;
}

bool ShaderList::getUniform(const std::string& name, const std::string& key, int& location) const {
    int entry = findName(names, name);
    return entry >= 0 && storedUniform(static_cast<std::size_t>(entry), key, location);
}

bool ShaderList::storedUniform(std::size_t entry, const std::string& key, int& location) const {
    int slot = findName(uniformKeys[entry], key);
    if (slot < 0)
        return false;
    location = uniformLocations[entry][slot];
    return true;
}

bool isLinkedProgram(int program) {
    if (program <= 0)
        return false;
    GLint linked = GL_FALSE;
    glGetProgramiv(static_cast<GLuint>(program), GL_LINK_STATUS, &linked);
    return linked == GL_TRUE;
}

void programQuad(float z) {
    glVertex3f(-1, -1, z);
    glVertex3f(-1, 1, z);
    glVertex3f(1, 1, z);
    glVertex3f(1, -1, z);
}

char* readEmitter(const char* path) {
    std::error_code ignored;
    FILE* file = std::filesystem::is_directory(path, ignored) ? nullptr : fopen(path, "r");
    if (!file) {
        fprintf(stderr, "Can't open file '%s' for reading\n", path);
        return nullptr;
    }
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size < 0 || fseek(file, 0, SEEK_SET) != 0) {  // a pipe has no size
        fprintf(stderr, "Can't open file '%s' for reading\n", path);
        fclose(file);
        return nullptr;
    }
    printf("File '%s' is %ld long\n", path, size);
    char* text = static_cast<char*>(malloc(size + 1));
    if (!text) {
        fprintf(stderr, "Can't malloc space for '%s'\n", path);
        fclose(file);
        return nullptr;
    }
    size_t count = fread(text, 1, size, file);
    text[count] = '\0';
    fclose(file);
    return text;
}

std::vector<unsigned int> readShaders() {
    std::vector<unsigned int> ids;
    GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
    GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    char* vertexText = readEmitter("shader0.vs");
    char* fragmentText = readEmitter("shader0.fs");
    for (int i = 1; vertexText; ++i) {
        std::cout << "Reading shader " << i << std::endl;
        ids.push_back(buildProgram(vertex, fragment, vertexText, fragmentText));
        std::string next = "shader" + std::to_string(i);
        vertexText = readEmitter((next + ".vs").c_str());
        fragmentText = readEmitter((next + ".fs").c_str());
    }
    free(fragmentText);
    std::cout << "Shaders read: " << ids.size() << std::endl;
    return ids;
}
