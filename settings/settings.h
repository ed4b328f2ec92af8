// The three options: their check boxes on the settings tab and the settings
// file 配置文件.ini next to the executable.
#pragma once

#include "platform/context.h"

// At start-up, once: applies the stored options, or writes a new settings
// file from the check boxes' form states; then sets the window's
// always-on-top state from 选择框2.
void LoadSettings(Context& ctx);

// Clicked handlers. The boxes toggle themselves before these run, so each
// reads its box's new state, applies it and stores it.
void OnKeepOnTopClicked(Context& ctx);   // 选择框2
void OnMenuOptionClicked(Context& ctx);  // 选择框3
void OnExitOptionClicked(Context& ctx);  // 选择框4
