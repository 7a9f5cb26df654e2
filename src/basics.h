// Clock, vector math, number formatting, random placement and error reporters.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// A 2-D position or vector in world (or interface) units.
struct point {
    float x;
    float y;
};

// Makes the game clock continue from t (ms).
void setTime(uint32_t t);
// The game clock: SDL's tick counter plus the offset set by setTime.
uint32_t getTime();

// x times x.
float square(float x);
// The length of v.
float magnitude(point v);
// v scaled to length 1; callers never pass a zero vector.
point normalize(point v);
// Whether both coordinates are finite (neither NaN nor infinite).
bool finite(point p);
// The distance between a and b.
float pointDistance(point a, point b);
// Squared distance, for range tests against squared radii.
float sqPointDistance(point a, point b);
// Whether the segment a-b passes strictly closer than r to c.
bool intersectCircleLine(point a, point b, point c, float r);

// The one conversion of a float to a whole-number field: truncates toward zero,
// clamps to Int's range and turns NaN into 0, so data like 1e30 stays defined.
template <class Int = int32_t>
Int saturatingInt(double value) {
    using limits = std::numeric_limits<Int>;
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(limits::min())) return limits::min();
    if (value >= static_cast<double>(limits::max())) return limits::max();
    return static_cast<Int>(value);
}

// The value in a string stream's default format (the save files rely on it).
std::string toString(float value);
std::string toString(int value);
std::string toString(unsigned int value);

// A random coordinate in -100000..99999.
float randLoc();
// A random value in -n..n-2 (even steps); 0 when n is not positive.
float closeRandLoc(int n);

// Game units and pixels are the same scale: these convert types only.
point gameToPixel(point p);
float gameToPixel(int v);
int pixelToGame(int v);
// Truncates toward zero (saturating).
int pixelToGame(float v);

// Prints the first pending OpenGL error, if any.
void reportError();
// Prints ALUT's pending error, if any.
void reportSoundError();

// Appends whitespace-separated numbers from a file as rows of `width`;
// "@label" tokens label the last complete row, "#" starts a comment.
// False (and nothing read) when the file cannot be opened or width is not positive.
bool readData(const std::string& fileName, int width, std::vector<std::vector<float>>& rows,
              std::vector<std::vector<std::string>>& labels);
// The same, discarding the labels.
bool readData(const std::string& fileName, int width, std::vector<std::vector<float>>& rows);
// Resamples the trailing 100-point curve of every row of 100 or more values to
// N points (N = rows[3][0]); without a usable N the input comes back unchanged.
std::vector<std::vector<float>> expandMatrix(const std::vector<std::vector<float>>& rows);
// Blocks until Return, collecting lower-case letters, digits and spaces typed.
std::string enterText();
