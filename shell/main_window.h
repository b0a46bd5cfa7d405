// The one full-screen window: owns the GL context, shows the title screen or
// the table, hands input to the dispatch and serves the turn drivers' redraws.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/settings.h"
#include "engine/table_view.h"
#include "engine/view_state.h"
#include "render/renderer.h"
#include "shell/input.h"

class wxGLCanvas;
class wxGLContext;

namespace gub {

class MainWindow final : public wxDialog, public TableView, public ShellCommands {
 public:
  MainWindow(GameState& game, Settings& settings, ViewState& view, RandomSource& random,
             Renderer& renderer);
  ~MainWindow() override;

  // After the modal loop: GL context, then the timer, then the music.
  void teardown();

  // TableView, for the turn drivers.
  void redrawNow() override;
  void showTrickAndPause(int32_t delayMs) override;
  void playEffect(const char* fileName) override;
  void leaveForTitle() override;

  // ShellCommands, for the title screen's buttons.
  void runOptionsDialog() override;
  void endProgram() override;

 private:
  void createCanvas();
  void startUp();
  void finishStartUp();
  wxSize physicalClientSize() const;
  bool createRenderingContext();
  void present();
  InputContext inputContext();

  void onPaint(wxPaintEvent& event);
  void onSize(wxSizeEvent& event);
  void onLeftDown(wxMouseEvent& event);
  void onRaisedPlayGesture(wxMouseEvent& event);
  void onCharHook(wxKeyEvent& event);
  void onTimer(wxTimerEvent& event);
  void onCloseWindow(wxCloseEvent& event);

  GameState& game_;
  Settings& settings_;
  ViewState& view_;
  RandomSource& random_;
  Renderer& renderer_;
  int32_t screenMode_ = ScreenTitle;

  wxGLCanvas* canvas_ = nullptr;
  // The canvas, or the window itself when no GL visual was offered.
  wxWindow* surface_ = nullptr;
  wxGLContext* context_ = nullptr;
  bool startedUp_ = false;
  bool finishedStartUp_ = false;
  bool glReady_ = false;
  bool tornDown_ = false;
  wxTimer musicPollTimer_;
};

}  // namespace gub
