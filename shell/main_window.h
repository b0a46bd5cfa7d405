// SPDX-License-Identifier: MIT
// The one full-screen window: owns the GL context, shows the title screen or
// the table, hands input to the dispatch and serves the turn drivers' redraws.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <future>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/settings.h"
#include "engine/table_view.h"
#include "engine/view_state.h"
#include "play/hint.h"
#include "render/renderer.h"
#include "shell/input.h"
#include "shell/keyboard_play.h"
#include "shell/statistics.h"

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
  // The keys the table adds to play without a mouse; true when handled.
  bool onTableKey(wxKeyEvent& event);
  // Every press or key that may move the game on: the hint and the last
  // trick go, and a finished deal or match goes into the statistics.
  void beforeAction();
  void afterAction();
  void requestHint();
  void onHintTimer(wxTimerEvent& event);
  void updateHandMarks();
  void showRules();
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

  KeyboardState keys_;
  int32_t phaseBeforeAction_ = PhaseDeclaring;
  // Counts the actions, so an answer for a position left behind is dropped.
  uint64_t actionSerial_ = 0;
  uint64_t hintSerial_ = 0;
  uint64_t hintSeed_ = 0;
  std::future<HintAdvice> hint_;
  wxTimer hintTimer_;
  std::string statisticsPath_;
  Statistics statistics_;
};

}  // namespace gub
