// The player's weapon slots: selection by number, by the wheel and by cycling.
#include "player.h"

void Player::setWeapon(unsigned int n) {
    if (n < armament.size()) activeWeaponIndex = n;
}

void Player::increaseWeapon() {
    if (activeWeaponIndex + 1 < armament.size()) activeWeaponIndex += 1;
}

void Player::decreaseWeapon() {
    if (activeWeaponIndex > 0) activeWeaponIndex -= 1;
}

void Player::cycleWeaponUp() {
    if (armament.empty()) return;
    activeWeaponIndex = activeWeaponIndex + 1 < armament.size() ? activeWeaponIndex + 1 : 0;
}

void Player::cycleWeaponDown() {
    if (armament.empty()) return;
    activeWeaponIndex = activeWeaponIndex > 0 ? activeWeaponIndex - 1 : static_cast<uint32_t>(armament.size() - 1);
}

unsigned int Player::getActiveWeaponIndex() const { return activeWeaponIndex; }
