// Clock, vector math, number formatting, random placement and error reporters.
#pragma once

#include <cstdint>
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

float square(float x);
float magnitude(point v);
// v scaled to length 1; callers never pass a zero vector.
point normalize(point v);
float pointDistance(point a, point b);
// Squared distance, for range tests against squared radii.
float sqPointDistance(point a, point b);
// Whether the segment a-b passes strictly closer than r to c.
bool intersectCircleLine(point a, point b, point c, float r);

// The value in a string stream's default format (the save files rely on it).
std::string toString(float value);
std::string toString(int value);
std::string toString(unsigned int value);

// A random coordinate in -100000..99999.
float randLoc();
// A random value in -n..n-2 (even steps); 0 when n is not positive.
float closeRandLoc(int n);

point gameToPixel(point p);
float gameToPixel(int v);
int pixelToGame(int v);
int pixelToGame(float v);

// Prints the first pending OpenGL error, if any.
void reportError();
// Prints ALUT's pending error, if any.
void reportSoundError();

// Appends whitespace-separated numbers from a file as rows of `width`;
// "@label" tokens label the last complete row, "#" starts a comment.
bool readData(const std::string& fileName, int width, std::vector<std::vector<float>>& rows,
              std::vector<std::vector<std::string>>& labels);
bool readData(const std::string& fileName, int width, std::vector<std::vector<float>>& rows);
// Resamples every long row's trailing 100-point curve to N points (N = rows[3][0]).
std::vector<std::vector<float>> expandMatrix(const std::vector<std::vector<float>>& rows);
// Blocks until Return, collecting lower-case letters, digits and spaces typed.
std::string enterText();
