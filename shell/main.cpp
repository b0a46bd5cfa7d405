// SPDX-License-Identifier: MIT
// Start-up of gub-cards: the single-instance lock, the toolkit, the one modal
// main window, and the order of things at the end.
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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
  // The command line has been answered before the toolkit starts.
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

constexpr const char* kHelp =
    "Usage: gub-cards [OPTION]\n"
    "A trick-taking card game: you sit south and play against three computer players.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Without options the game opens full screen on the X display named by DISPLAY and\n"
    "reads its pictures, music, sounds and settings file gub.cfg from its run-time\n"
    "folder. Escape leaves the game. See gub-cards(6) for the rules and the keys.\n";

// The game has no options of its own to set: it answers --help and --version
// before it opens anything, and refuses every other word rather than start a
// full-screen game the caller did not ask for. Returns the exit status, or -1
// when the game should start.
int answerCommandLine(int argc, char** argv) {
  bool help = false;
  bool version = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      help = true;
    } else if (std::strcmp(arg, "--version") == 0) {
      version = true;
    } else {
      std::fprintf(stderr, "gub-cards: %s '%s'\nTry 'gub-cards --help' for more information.\n",
                   arg[0] == '-' ? "unknown option" : "unexpected argument", arg);
      return 2;
    }
  }
  if (help) {
    std::fputs(kHelp, stdout);
  } else if (version) {
    std::puts("gub-cards " GUB_VERSION);
  } else {
    return -1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

}  // namespace gub

int main(int argc, char** argv) {
  if (int status = gub::answerCommandLine(argc, argv); status >= 0) return status;

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
