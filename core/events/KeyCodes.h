#pragma once

// The key codes the window's key-down handlers receive: the desktop's virtual-key numbers
// (32 for SPACE, 65 to 90 for the letters, 13 for ENTER), whatever code the toolkit gives the
// key. Keys without such a number give 0, which no handler acts on.
namespace keycodes {

inline constexpr int Space = 32;

int fromQtKey(int qtKey);

} // namespace keycodes
