// Binding our skin engine (SkinH_EL.dll, extracted into the run directory
// just before) and handing it the skin file.
#pragma once

struct Context;

// Loads the engine (run directory first, then the system's search for the
// bare name), resolves SkinH_AttachEx and calls it with the run directory's
// skin.she and an empty text. The engine stays loaded until
// ReleaseSkinEngine. False when the engine or its entry could not be found:
// the error message has been shown, and start-up must end here (exit code -1).
bool ApplySkin(Context& ctx);

// Unloads the engine at shutdown; nothing happens when it is not loaded.
void ReleaseSkinEngine();
