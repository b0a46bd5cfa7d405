// Start-up of gub-cards: the single-instance lock, the toolkit, the one modal
// main window, and the order of things at the end.
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/settings.h"
#include "engine/view_state.h"
#include "render/renderer.h"
#include "shell/instance_lock.h"
#include "shell/main_window.h"
#include "shell/sound.h"

namespace gub {

namespace {

uint64_t clockSeconds() { return static_cast<uint64_t>(std::time(nullptr)); }

void showLoaderMessage(const char* text) {
  wxMessageBox(wxString::FromUTF8(text), "Gub Cards", wxOK);
}

// Debian's wx keeps its debug checks, which would otherwise stop the game with
// a modal dialog; a failed check is reported on standard error instead.
void reportAssertion(const wxString& file, int line, const wxString& function,
                     const wxString& condition, const wxString& message) {
  std::fprintf(stderr, "gub-cards: wx assertion failed at %s:%d in %s: %s %s\n",
               static_cast<const char*>(file.utf8_str()), line,
               static_cast<const char*>(function.utf8_str()),
               static_cast<const char*>(condition.utf8_str()),
               static_cast<const char*>(message.utf8_str()));
}

// The program-wide objects: one game record, one set of options, one view.
class GubApp : public wxApp {
 public:
  // The game takes no command line; the toolkit's own options are all it reads.
  bool OnInit() override {
    // The game keeps no log: whatever the toolkit reports goes to standard
    // error rather than into a dialog in front of the table.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    return true;
  }

  int runMainWindow() {
    setLoaderMessageHook(showLoaderMessage);
    {
      MainWindow window(game_, settings_, view_, random_, renderer_);
      window.ShowModal();
      window.teardown();
    }
    shutdownAudio();
    return 0;
  }

 private:
  GameState game_;
  Settings settings_;
  ViewState view_;
  ClockRandom random_{clockSeconds};
  Renderer renderer_;
};

}  // namespace

}  // namespace gub

int main(int argc, char** argv) {
  // A second copy ends here, silently, before it opens anything on the screen.
  gub::InstanceLock lock;
  if (!lock.acquire()) return 0;

  // GLX, like the rest of an X11 session, also under a Wayland desktop.
  setenv("GDK_BACKEND", "x11", 1);
  wxSetAssertHandler(gub::reportAssertion);

  auto* app = new gub::GubApp;
  wxApp::SetInstance(app);
  if (!wxEntryStart(argc, argv)) {
    std::fputs("No display: Gub Cards needs an X display (set DISPLAY to a running X server).\n",
               stderr);
    return 1;
  }
  int status = 1;
  if (app->CallOnInit()) status = app->runMainWindow();
  app->OnExit();
  wxEntryCleanup();
  return status;
}
