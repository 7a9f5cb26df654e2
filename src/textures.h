// The process-wide texture tables and the image loaders that fill them.
#pragma once

#include <string>
#include <vector>

// The number of entries of textures; data files may name any of them by index.
constexpr long FIXED_TEXTURE_COUNT = 24;

// FIXED_TEXTURE_COUNT entries at fixed indexes; a failed image keeps its slot with 0.
extern std::vector<unsigned int> textures;
extern std::vector<unsigned int> projTextures;
extern std::vector<unsigned int> uiTextures;

// textures[index], or 0 for an index (from a data file) outside the table.
unsigned int textureAt(long index);

// Loads an image with SOIL: mode 1 with mipmaps, 0 without, else nothing (0).
unsigned int loadSingleTexture(const std::string& fileName, int mode);
// The same, appending the result (0 on failure) to table.
void loadSingleTexture(const std::string& fileName, std::vector<unsigned int>& table, int mode);
// Fills textures (the dust set to repeat) and projTextures from their fixed file lists.
void loadTextures();
// Fills uiTextures from the five interface images, in their fixed order.
void loadUITextures();
