// Clock, vector math, number formatting, random placement and error reporters.
#include "basics.h"

#include <GL/glew.h>
#include <SDL.h>
#include <AL/alut.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Game time minus SDL's tick counter; only setTime writes it.
int32_t TIMEOFFSET = 0;

// Above this many samples a curve is taken as bad data, not as a request.
constexpr int MAX_CURVE_SAMPLES = 1000000;
constexpr size_t CURVE_POINTS = 100;

template <class T>
std::string streamed(T value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// One rand() draw times 7 in 64 bits: glibc's rand reaches 2^31 - 1.
int64_t sevenfoldDraw() { return static_cast<int64_t>(std::rand()) * 7; }

}  // namespace

void setTime(uint32_t t) { TIMEOFFSET = static_cast<int32_t>(t - SDL_GetTicks()); }

uint32_t getTime() { return SDL_GetTicks() + static_cast<uint32_t>(TIMEOFFSET); }

float square(float x) { return x * x; }

float magnitude(point v) { return std::sqrt(v.x * v.x + v.y * v.y); }

point normalize(point v) {
    float m = magnitude(v);
    return {v.x / m, v.y / m};
}

bool finite(point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

float pointDistance(point a, point b) { return std::sqrt(sqPointDistance(a, b)); }

float sqPointDistance(point a, point b) { return square(a.x - b.x) + square(a.y - b.y); }

bool intersectCircleLine(point a, point b, point c, float r) {
    point d{b.x - a.x, b.y - a.y};
    float t = -((a.x - c.x) * d.x + (a.y - c.y) * d.y) / (d.x * d.x + d.y * d.y);
    if (t < 0)
        t = 0;
    else if (t > 1)
        t = 1;
    point q{a.x + t * d.x - c.x, a.y + t * d.y - c.y};
    return r * r > q.x * q.x + q.y * q.y;  // a == b gives NaN here, so false
}

std::string toString(float value) { return streamed(value); }
std::string toString(int value) { return streamed(value); }
std::string toString(unsigned int value) { return streamed(value); }

float randLoc() { return static_cast<float>(sevenfoldDraw() % 200000 - 100000); }

float closeRandLoc(int n) {
    if (n <= 0) return 0;
    return static_cast<float>(sevenfoldDraw() % n * 2 - n);
}

point gameToPixel(point p) { return p; }
float gameToPixel(int v) { return static_cast<float>(v); }
int pixelToGame(int v) { return v; }
int pixelToGame(float v) { return saturatingInt(v); }

void reportError() {
    switch (glGetError()) {
        case GL_INVALID_ENUM: std::cout << "Invalid enumerated argument" << std::endl; break;
        case GL_INVALID_VALUE: std::cout << "invalid value" << std::endl; break;
        case GL_INVALID_OPERATION: std::cout << "Invalid operation" << std::endl; break;
        case GL_STACK_OVERFLOW: std::cout << "GL stack overflow" << std::endl; break;
        case GL_STACK_UNDERFLOW: std::cout << "gl stack underflow" << std::endl; break;
        case GL_OUT_OF_MEMORY: std::cout << "out of memory" << std::endl; break;
        default: break;
    }
}

void reportSoundError() {
    ALenum code = alutGetError();
    if (code != ALUT_ERROR_NO_ERROR) std::cout << "AL error: " << alutGetErrorString(code) << std::endl;
}

namespace {

// "@some_label" -> "some label".
std::string labelText(const std::string& token) {
    std::string text = token.substr(1);
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

// Labels the last row completed from this file; rows given by the caller are not this file's.
void storeLabel(const std::string& token, size_t firstRow, size_t completeRows,
                std::vector<std::vector<std::string>>& labels) {
    if (completeRows == 0) {
        std::cout << "Label " << token << " comes before the first complete row; dropped" << std::endl;
        return;
    }
    const size_t row = firstRow + completeRows - 1;
    if (labels.size() <= row) labels.resize(row + 1);
    labels[row].push_back(labelText(token));
}

}  // namespace

bool readData(const std::string& fileName, int width, std::vector<std::vector<float>>& rows,
              std::vector<std::vector<std::string>>& labels) {
    if (width <= 0) {
        std::cout << "Error, row width " << width << " for " << fileName << " must be positive" << std::endl;
        return false;
    }
    std::ifstream in(fileName);
    if (!in) {
        std::cout << "Error opening file" << std::endl;
        return false;
    }
    std::cout << "Opening " << fileName << std::endl;
    const size_t w = static_cast<size_t>(width);
    const size_t firstRow = rows.size();  // rows of this file follow those given
    size_t n = 0;
    std::string token;
    while (in >> token) {
        if (token[0] == '#') {
            in.ignore(100000, '\n');
        } else if (token[0] == '@') {
            storeLabel(token, firstRow, n / w, labels);
        } else {
            if (n % w == 0) rows.emplace_back(w, 0.0f);
            rows[firstRow + n / w][n % w] = static_cast<float>(std::atof(token.c_str()));
            ++n;
        }
    }
    return true;
}

bool readData(const std::string& fileName, int width, std::vector<std::vector<float>>& rows) {
    std::vector<std::vector<std::string>> discarded;
    return readData(fileName, width, rows, discarded);
}

namespace {

// The head of the row, then n linear samples of its trailing 100-point curve.
std::vector<float> resampledRow(const std::vector<float>& row, int n, bool scaled) {
    const size_t head = row.size() - CURVE_POINTS;
    std::vector<float> out(row.begin(), row.begin() + head);
    out.reserve(head + n);
    for (int j = 0; j < n; ++j) {
        float x = static_cast<float>(j) / n * 99;
        size_t i = static_cast<size_t>(x);
        float frac = x - i;
        float sample = row[head + i] * (1 - frac) + row[head + i + 1] * frac;
        out.push_back(scaled ? sample * row[0] : sample);
    }
    return out;
}

}  // namespace

std::vector<std::vector<float>> expandMatrix(const std::vector<std::vector<float>>& rows) {
    if (rows.size() < 4 || rows[3].empty()) return rows;
    int n = saturatingInt(rows[3][0]);
    if (n < 0 || n > MAX_CURVE_SAMPLES) return rows;
    std::vector<std::vector<float>> out;
    out.reserve(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() < CURVE_POINTS) {  // too short to hold a curve: kept as it is
            out.push_back(rows[r]);
            continue;
        }
        out.push_back(resampledRow(rows[r], n, r == 4 || r == 5 || r == 9));
    }
    return out;
}

std::string enterText() {
    std::string text;
    SDL_Event event;
    for (;;) {
        while (SDL_PollEvent(&event)) {
            if (event.type != SDL_KEYDOWN) continue;
            SDLKey key = event.key.keysym.sym;
            if (key == SDLK_RETURN) return text;
            if (key == SDLK_BACKSPACE) {
                if (!text.empty()) text.pop_back();
            } else if (key == SDLK_SPACE || (key >= SDLK_0 && key <= SDLK_9) || (key >= SDLK_a && key <= SDLK_z)) {
                text.push_back(static_cast<char>(key));
            }
        }
    }
}
