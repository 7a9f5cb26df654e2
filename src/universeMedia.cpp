// Universe services: one-shot sounds, the texture and sound-buffer caches, notifications.
#include "universe.h"

#include <iostream>

#include <AL/al.h>
#include <AL/alut.h>

#include "font.h"
#include "textures.h"

namespace {

// The text of a pending OpenAL or ALUT error; empty when there is none. Reading clears both.
std::string pendingSoundError() {
    ALenum alError = alGetError();
    ALenum alutError = alutGetError();
    if (alutError != ALUT_ERROR_NO_ERROR)
        return alutGetErrorString(alutError);
    if (alError == AL_NO_ERROR)
        return "";
    const ALchar* text = alGetString(alError);
    return text ? text : "OpenAL error " + std::to_string(alError);
}

}  // namespace

void Universe::processSounds() {
    for (auto source = playingSources.begin(); source != playingSources.end();) {
        ALuint name = *source;
        ALint state = AL_STOPPED;
        if (alIsSource(name))
            alGetSourcei(name, AL_SOURCE_STATE, &state);
        if (state != AL_STOPPED) {
            ++source;
            continue;
        }
        if (alIsSource(name))
            alDeleteSources(1, &name);
        source = playingSources.erase(source);
    }
}

void Universe::playSound(const std::string& name, point position) {
    pendingSoundError();  // an earlier failure must not be blamed on this source
    ALuint source = 0;
    alGenSources(1, &source);
    std::string error = pendingSoundError();
    if (error.empty() && !alIsSource(source))
        error = "no sound source could be made";
    if (!error.empty()) {
        std::cout << "AL error: " << error << std::endl;
        return;
    }
    alSourcei(source, AL_BUFFER, static_cast<ALint>(getBuffer(name)));
    alSourcef(source, AL_REFERENCE_DISTANCE, 500.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 1.0f);
    // The game's x runs along OpenAL's z; the listener is placed the same way.
    alSource3f(source, AL_POSITION, 0.0f, position.y, position.x);
    alSourcePlay(source);
    playingSources.push_back(source);
}

unsigned int Universe::getBuffer(const std::string& name) {
    for (const soundBufferData& buffer : soundBuffers)
        if (buffer.name == name)
            return buffer.id;
    const std::string path = "sounds/" + name;
    ALuint buffer = alutCreateBufferFromFile(path.c_str());
    if (buffer == AL_NONE)
        std::cout << "Error loading sound " << path << ": " << pendingSoundError() << std::endl;
    soundBuffers.push_back({buffer, name});  // a failure is cached too, so it is reported once
    return buffer;
}

unsigned int Universe::loadDynamicTexture(const std::string& fileName, int mode) {
    for (const dynamicTexturesData& texture : dynamicTextures)
        if (texture.name == fileName)
            return texture.id;
    std::cout << "Dynamically loading " << fileName << std::endl;
    unsigned int id = loadSingleTexture(fileName, mode);
    dynamicTextures.push_back({id, fileName});
    return id;
}

void Universe::addNotification(const std::vector<std::string>& lines, unsigned int lifetime,
                               unsigned int font) {
    scrollText note;
    note.font = font;
    note.textLines = lines;
    note.lifetimeRemaining = saturatingInt<int32_t>(lifetime);
    notifications.push(note);
}

void Universe::addNotification(const std::string& line, unsigned int lifetime, unsigned int font) {
    addNotification(std::vector<std::string>{line}, lifetime, font);
}

void Universe::drawNotifications(const std::vector<Font*>& fonts, unsigned int dt) {
    if (notifications.empty())
        return;
    scrollText& front = notifications.front();
    // A font index that names no font still lets the notification run out.
    if (front.font < fonts.size() && fonts[front.font])
        for (size_t i = 0; i < front.textLines.size(); ++i)
            fonts[front.font]->displayText(front.textLines[i], 50.0f, 95.0f - 3.0f * i, 1.0f, true);
    front.lifetimeRemaining = saturatingInt<int32_t>(static_cast<double>(front.lifetimeRemaining) - dt);
    if (front.lifetimeRemaining <= 0)
        notifications.pop();
    if (!notifications.empty())
        std::cout << notifications.front().lifetimeRemaining << std::endl;
}
