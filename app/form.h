// The main window's form: the one place where a control is described.
#pragma once

#include "platform/form_types.h"

namespace app {

const form::Window& MainForm();

// Every name unique, every tab in range, every control inside the tab
// control: what the window needs before it can be built from the form.
bool FormIsValid(const form::Window& form);

}  // namespace app
