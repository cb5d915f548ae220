#include "app/application.h"

#include "skin/skin_engine.h"

namespace app {

Application* Application::current_ = nullptr;

Application::Application() { current_ = this; }

Application::~Application() {
  if (trayIcon) DestroyIcon(trayIcon);
  if (current_ == this) current_ = nullptr;
}

Application& App() { return *Application::current_; }

bool HasApp() { return Application::current_ != nullptr; }

skin::SkinEngine* Engine() { return HasApp() ? App().skinEngine.get() : nullptr; }

void SkinEngineDeleter::operator()(skin::SkinEngine* engine) const { delete engine; }

}  // namespace app
