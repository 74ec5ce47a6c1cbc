#pragma once

#include <QString>

// Whether Caps Lock, Num Lock and Scroll Lock are on, for the status-bar indicators. Read from the
// keyboard lights the kernel exposes (/sys/class/leds/<device>::capslock/brightness, ...); a lock whose
// light cannot be read counts as off.
namespace ui {

enum class LockKey { CapsLock, NumLock, ScrollLock };

bool IsLockKeyOn(LockKey key);
// The folder searched for the lights (tests point it elsewhere); empty restores /sys/class/leds.
void SetLockLightFolder(const QString& folder);

} // namespace ui
