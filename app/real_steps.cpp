#include "app/real_steps.h"

#include "lock/operations.h"
#include "resources/embedded.h"
#include "resources/movie.h"
#include "resources/skin.h"
#include "settings/settings.h"

namespace app {

void RealSteps::ExtractSkinLibrary() { resources::ExtractEmbeddedFile(w_.context(), resources::SkinLibraryFile()); }
void RealSteps::ExtractSkinFile() { resources::ExtractEmbeddedFile(w_.context(), resources::SkinFile()); }
bool RealSteps::ApplySkin() { return resources::ApplySkin(w_.context()); }
void RealSteps::RegisterEnterHotkey() { w_.wiring().RegisterEnterHotkey(); }
void RealSteps::RegisterDropTarget() { w_.wiring().RegisterDropTarget(); }
void RealSteps::LoadSettings() { ::LoadSettings(w_.context()); }
void RealSteps::ExtractMovie() { resources::ExtractEmbeddedFile(w_.context(), resources::MovieFile()); }
void RealSteps::ShowMovie() { resources::ShowMovie(w_.context()); }
void RealSteps::RoutePath(const std::string& path) { ::RoutePath(w_.context(), path); }

}  // namespace app
