#include "app/real_steps.h"

#include "lock/operations.h"
#include "resources/embedded.h"
#include "resources/movie.h"
#include "resources/skin.h"
#include "settings/settings.h"

namespace app {

void RealSteps::ExtractSkinLibrary() { ::ExtractEmbeddedFile(w_.context(), SkinEngineFile()); }
void RealSteps::ExtractSkinFile() { ::ExtractEmbeddedFile(w_.context(), SkinFile()); }
bool RealSteps::ApplySkin() { return ::ApplySkin(w_.context()); }
void RealSteps::RegisterEnterHotkey() { w_.wiring().RegisterEnterHotkey(); }
void RealSteps::RegisterDropTarget() { w_.wiring().RegisterDropTarget(); }
void RealSteps::LoadSettings() { ::LoadSettings(w_.context()); }
void RealSteps::ExtractMovie() { ::ExtractEmbeddedFile(w_.context(), MovieFile()); }
void RealSteps::ShowMovie() { resources::ShowMovie(w_.context()); }
void RealSteps::RoutePath(const std::string& path) { ::RoutePath(w_.context(), path); }

}  // namespace app
