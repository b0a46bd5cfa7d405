// SPDX-License-Identifier: MIT
// The main window: start-up of the GL context, drawing, and the window side of
// the input handling.
#include "shell/main_window.h"

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/glcanvas.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "shell/icon_data.h"
#include "shell/options_dialog.h"
#include "shell/rules_dialog.h"
#include "shell/settings_file.h"
#include "shell/sound.h"

// Last: Xlib defines macros (None, Bool, Status) that the wx headers must not see.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace gub {

namespace {

constexpr int MusicPollTimerId = 1;
constexpr int MusicPollPeriodMs = 100;
constexpr int HintTimerId = 2;
constexpr int HintPollPeriodMs = 15;

wxIconBundle loadIcons() {
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  wxIconBundle icons;
  for (int i = 0; i < iconPngCount; ++i) {
    wxBitmap bitmap = wxBitmap::NewFromPNGData(iconPngs[i].data, iconPngs[i].size);
    if (!bitmap.IsOk()) continue;
    wxIcon icon;
    icon.CopyFromBitmap(bitmap);
    icons.AddIcon(icon);
  }
  return icons;
}

// Attributes for a double-buffered RGBA context with a 32-bit depth buffer,
// or 24 bits where the server offers no deeper one (Xvfb, most drivers).
bool chooseAttributes(wxGLAttributes& attributes) {
  // A server without GLX has no visual to offer; asking the toolkit anyway
  // only trips its checks.
  wxDisplayInfo info = wxGetDisplayInfo();
  int opcode = 0, event = 0, error = 0;
  if (info.type == wxDisplayX11 &&
      !XQueryExtension(static_cast<Display*>(info.dpy), "GLX", &opcode, &event, &error)) {
    return false;
  }
  for (int depth : {32, 24, 16}) {
    attributes.Reset();
    attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 0).DoubleBuffer().Depth(depth).EndList();
    if (wxGLCanvas::IsDisplaySupported(attributes)) return true;
  }
  return false;
}

// Whether a running window manager takes the full-screen state. Without one
// the toolkit's own full-screen fallback moves the window about, so the
// window then simply keeps the screen's size and place.
bool windowManagerTakesFullScreen() {
  wxDisplayInfo info = wxGetDisplayInfo();
  if (info.type != wxDisplayX11) return false;
  auto* display = static_cast<Display*>(info.dpy);
  Window root = DefaultRootWindow(display);
  auto windowProperty = [display](Window window, const char* name, Window& value) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False,
                                    XA_WINDOW, &type, &format, &count, &left, &data) == Success &&
                 type == XA_WINDOW && format == 32 && count == 1;
    if (found) value = *reinterpret_cast<Window*>(data);
    if (data != nullptr) XFree(data);
    return found;
  };
  // A live manager's check window names itself; a stale root property left
  // by one that has gone does not.
  Window check = 0, self = 0;
  if (!windowProperty(root, "_NET_SUPPORTING_WM_CHECK", check)) return false;
  XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  bool alive = windowProperty(check, "_NET_SUPPORTING_WM_CHECK", self) && self == check;
  XSync(display, False);
  XSetErrorHandler(previous);
  if (!alive) return false;

  Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  bool supported = false;
  if (XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), 0, 4096,
                         False, XA_ATOM, &type, &format, &count, &left, &data) == Success &&
      type == XA_ATOM && format == 32) {
    auto* atoms = reinterpret_cast<Atom*>(data);
    supported = std::find(atoms, atoms + count, fullScreen) != atoms + count;
  }
  if (data != nullptr) XFree(data);
  return supported;
}

}  // namespace

MainWindow::MainWindow(GameState& game, Settings& settings, ViewState& view, RandomSource& random,
                       Renderer& renderer)
    : game_(game),
      settings_(settings),
      view_(view),
      random_(random),
      renderer_(renderer),
      musicPollTimer_(this, MusicPollTimerId),
      hintTimer_(this, HintTimerId) {
  // The close box lets the window manager offer its close request (Alt+F4,
  // a taskbar's Close); without a border it draws nothing.
  Create(nullptr, wxID_ANY, "Gub Cards", wxDefaultPosition, wxDefaultSize,
         wxBORDER_NONE | wxCLOSE_BOX | wxDIALOG_NO_PARENT);
  SetIcons(loadIcons());
  createCanvas();

  // The whole primary screen, at its origin, without caption or frame.
  wxRect screen = wxDisplay().GetGeometry();
  SetSize(screen);
  // Told to the window manager as full screen, so that it keeps the window
  // above its panels and docks and on the primary monitor it starts on.
  if (windowManagerTakesFullScreen()) ShowFullScreen(true);
  loadSettings(settings_);

  Bind(wxEVT_CHAR_HOOK, &MainWindow::onCharHook, this);
  Bind(wxEVT_TIMER, &MainWindow::onTimer, this, MusicPollTimerId);
  Bind(wxEVT_TIMER, &MainWindow::onHintTimer, this, HintTimerId);
  statisticsPath_ = statisticsPath();
  statistics_ = loadStatistics(statisticsPath_);
  hintSeed_ = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  Bind(wxEVT_CLOSE_WINDOW, &MainWindow::onCloseWindow, this);
}

MainWindow::~MainWindow() { teardown(); }

void MainWindow::createCanvas() {
  wxGLAttributes attributes;
  if (chooseAttributes(attributes)) {
    canvas_ = new wxGLCanvas(this, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                             wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    SetSizer(sizer);
  }
  // Without any GL visual the window still takes its input: it only draws
  // nothing.
  surface_ = canvas_ != nullptr ? static_cast<wxWindow*>(canvas_) : this;
  surface_->Bind(wxEVT_PAINT, &MainWindow::onPaint, this);
  surface_->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
  surface_->Bind(wxEVT_SIZE, &MainWindow::onSize, this);
  surface_->Bind(wxEVT_LEFT_DOWN, &MainWindow::onLeftDown, this);
  surface_->Bind(wxEVT_LEFT_DCLICK, &MainWindow::onRaisedPlayGesture, this);
  surface_->Bind(wxEVT_RIGHT_DOWN, &MainWindow::onRaisedPlayGesture, this);
}

bool MainWindow::createRenderingContext() {
  if (canvas_ == nullptr) return false;
  wxGLContextAttrs contextAttributes;
  contextAttributes.PlatformDefaults().EndList();
  auto* context = new wxGLContext(canvas_, nullptr, &contextAttributes);
  if (!context->IsOK() || !canvas_->SetCurrent(*context)) {
    delete context;
    return false;
  }
  context_ = context;
  return true;
}

wxSize MainWindow::physicalClientSize() const {
  // GL works in the X window's own pixels, which a scaled desktop (200 %)
  // makes larger than the toolkit's logical ones.
  return surface_->ToPhys(surface_->GetClientSize());
}

void MainWindow::startUp() {
  // A missing context leaves a window that draws nothing and has no timer
  // (so the music is not restarted), but still answers to its input.
  startedUp_ = true;
  wxSize size = physicalClientSize();
  if (createRenderingContext()) {
    renderer_.createTitleGl();
    renderer_.resize(view_, size.x, size.y);
    glReady_ = true;
    musicPollTimer_.Start(MusicPollPeriodMs);
  } else {
    view_.resize(size.x, size.y);
  }
  // The title is all the player sees at first: it goes up before the cards,
  // the table and the other pictures are read, and before the sound starts.
  present();
  // Once this paint has ended, so that a compositing window manager shows
  // the title at once rather than after the loading.
  CallAfter(&MainWindow::finishStartUp);
}

void MainWindow::finishStartUp() {
  if (finishedStartUp_ || tornDown_) return;
  finishedStartUp_ = true;
  if (glReady_) {
    canvas_->SetCurrent(*context_);
    renderer_.createTableGl();
  }
  // The sound library is started only for the sound: with the sound off it
  // waits for the options dialog to switch it on.
  if (settings_.soundOn != 0 && openAudio()) startMusic();
}

void MainWindow::teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  if (context_ != nullptr) {
    if (glReady_ && canvas_->SetCurrent(*context_)) renderer_.releaseGl();
    // Deleting the context makes none current first.
    delete context_;
    context_ = nullptr;
    glReady_ = false;
  }
  musicPollTimer_.Stop();
  hintTimer_.Stop();
  if (hint_.valid()) hint_.wait();
  closeMusic();
}

void MainWindow::present() {
  if (!glReady_ || tornDown_) return;
  // A press that leaves the title before the rest of the start-up has run
  // (it comes straight after the first paint) waits for it.
  if (screenMode_ != ScreenTitle) finishStartUp();
  canvas_->SetCurrent(*context_);
  updateHandMarks();
  GameState lastTrick;
  if (keys_.lastTrickShown && screenMode_ == ScreenGame &&
      LastTrickView(game_, settings_, keys_.firstLeader, lastTrick)) {
    renderer_.drawScene(lastTrick, settings_, view_, screenMode_);
  } else {
    keys_.lastTrickShown = false;
    renderer_.drawScene(game_, settings_, view_, screenMode_);
  }
  canvas_->SwapBuffers();
  // The picture must be on the screen before a driver's pause starts.
  wxDisplayInfo display = wxGetDisplayInfo();
  if (display.type == wxDisplayX11) XFlush(static_cast<Display*>(display.dpy));
}

void MainWindow::redrawNow() {
  wxBeginBusyCursor();
  present();
  wxEndBusyCursor();
  // A compositing window manager (mutter) may go on showing an older frame
  // when the picture was swapped from an input handler, outside the toolkit's
  // own frame cycle. The paint this asks for draws the same picture again
  // within such a cycle, which makes that much rarer (though not impossible).
  surface_->Refresh(false);
}

void MainWindow::showTrickAndPause(int32_t delayMs) {
  wxBeginBusyCursor();
  present();
  // A negative speed read from the settings file means no pause at all.
  std::this_thread::sleep_for(std::chrono::milliseconds(pauseAfterTrickMs(delayMs)));
  wxEndBusyCursor();
}

void MainWindow::playEffect(const char* fileName) {
  if (!gub::playEffect(fileName)) wxBell();
}

void MainWindow::leaveForTitle() {
  screenMode_ = ScreenTitle;
  redrawNow();
}

void MainWindow::runOptionsDialog() {
  OptionsDialog dialog(this, settings_);
  dialog.ShowModal();
}

void MainWindow::endProgram() {
  if (IsModal()) EndModal(wxID_CANCEL);
}

InputContext MainWindow::inputContext() {
  return InputContext{game_, settings_, view_, *this, random_, screenMode_, *this};
}

void MainWindow::onPaint(wxPaintEvent&) {
  wxPaintDC dc(surface_);
  // The GL context can only be made current on the canvas's X window, which
  // exists once the window manager has mapped the window: under a window
  // manager that is well after the modal loop starts. The first paint is the
  // first moment it is sure to be there.
  if (!startedUp_ && !tornDown_) {
    startUp();
    return;
  }
  present();
}

void MainWindow::onSize(wxSizeEvent& event) {
  wxSize size = physicalClientSize();
  if (glReady_) {
    canvas_->SetCurrent(*context_);
    renderer_.resize(view_, size.x, size.y);
  } else {
    view_.resize(size.x, size.y);
  }
  event.Skip();
}

void MainWindow::onLeftDown(wxMouseEvent& event) {
  InputContext context = inputContext();
  wxPoint at = surface_->ToPhys(event.GetPosition());
  beforeAction();
  handleLeftPress(context, at.x, at.y);
  afterAction();
  event.Skip();
}

void MainWindow::onRaisedPlayGesture(wxMouseEvent& event) {
  InputContext context = inputContext();
  beforeAction();
  handleRaisedPlayGesture(context);
  afterAction();
  event.Skip();
}

void MainWindow::beforeAction() {
  ++actionSerial_;
  hintTimer_.Stop();
  keys_.clearHint();
  keys_.lastTrickShown = false;
  phaseBeforeAction_ = game_.phase;
}

void MainWindow::afterAction() {
  FollowGame(keys_, game_, settings_);
  const bool twoDecks = settings_.twoDecks != 0;
  bool changed = false;
  if (phaseBeforeAction_ == PhasePlaying && game_.phase == PhaseDealOver) {
    statistics_.recordDeal(twoDecks, game_.dealScore[0]);
    changed = true;
  }
  if (phaseBeforeAction_ == PhaseDealOver && game_.phase == PhaseMatchOver) {
    // The best total wins; equal best totals share the win.
    const int32_t best = *std::max_element(game_.matchTotal, game_.matchTotal + 4);
    statistics_.recordMatch(twoDecks, game_.matchTotal[0] == best);
    changed = true;
  }
  phaseBeforeAction_ = game_.phase;
  // A statistics file that can't be written costs only the statistics.
  if (changed) saveStatistics(statisticsPath_, statistics_);
}

void MainWindow::updateHandMarks() {
  HandMark marks[3];
  int32_t count = 0;
  const bool onTable =
      screenMode_ == ScreenGame && (game_.phase == PhaseDeclaring || game_.phase == PhasePlaying);
  if (onTable && !keys_.lastTrickShown) {
    int32_t slots = 0;
    const int32_t* hand = PlayerHand(game_, settings_, slots);
    auto mark = [&](int32_t slot, HandMark::Kind kind) {
      SlotSpot spot;
      if (slot < 0 || !FindSlotSpot(view_, hand, slots, slot, spot)) return;
      marks[count++] = HandMark{spot.left, spot.right, spot.top, spot.bottom, kind};
    };
    if (keys_.cursorShown) mark(keys_.cursor, HandMark::Cursor);
    mark(keys_.hintSlot, HandMark::Hint);
    mark(keys_.hintSecond, HandMark::Hint);
  }
  renderer_.setHandMarks(marks, count);
}

void MainWindow::requestHint() {
  if (screenMode_ != ScreenGame || game_.phase != PhasePlaying || game_.turnSeat % 4 != 0) return;
  if (hint_.valid()) return;  // one is on its way
  // The worker plays on copies; the window goes on with the real record.
  hintSerial_ = actionSerial_;
  hint_ = std::async(std::launch::async, [game = game_, settings = settings_, seed = hintSeed_++] {
    return Advise(game, settings, seed, HintBudget{});
  });
  hintTimer_.Start(HintPollPeriodMs);
}

void MainWindow::onHintTimer(wxTimerEvent&) {
  if (!hint_.valid()) {
    hintTimer_.Stop();
    return;
  }
  if (hint_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  hintTimer_.Stop();
  const HintAdvice advice = hint_.get();
  if (hintSerial_ != actionSerial_ || screenMode_ != ScreenGame || game_.phase != PhasePlaying ||
      game_.turnSeat % 4 != 0) {
    return;
  }
  keys_.hintSlot = advice.slot;
  keys_.hintSecond = advice.secondSlot;
  if (advice.slot >= 0) {
    keys_.cursor = advice.slot;
    redrawNow();
  }
}

void MainWindow::showRules() {
  RulesDialog dialog(this, statistics_);
  dialog.ShowModal();
  redrawNow();
}

bool MainWindow::onTableKey(wxKeyEvent& event) {
  // Keys typed in a dialog of ours reach this hook too; they belong there.
  auto* origin = dynamic_cast<wxWindow*>(event.GetEventObject());
  if (origin != nullptr && wxGetTopLevelParent(origin) != this) return false;
  if (event.HasAnyModifiers()) return false;
  const int code = event.GetKeyCode();
  TableKey key;
  switch (code) {
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
      key = TableKey::Left;
      break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
      key = TableKey::Right;
      break;
    case WXK_SPACE:
      key = TableKey::Select;
      break;
    case WXK_UP:
    case WXK_NUMPAD_UP:
      key = TableKey::PlayRaised;
      break;
    case 'S':
      key = TableKey::Start;
      break;
    case 'N':
      key = TableKey::NewGame;
      break;
    case 'O':
      key = TableKey::Options;
      break;
    case 'H':
      requestHint();
      return true;
    case 'L':
      if (screenMode_ != ScreenGame) return false;
      keys_.lastTrickShown = !keys_.lastTrickShown;
      redrawNow();
      return true;
    case WXK_F1:
      showRules();
      return true;
    default:
      return false;
  }
  InputContext context = inputContext();
  beforeAction();
  const bool handled = HandleTableKey(context, keys_, key);
  afterAction();
  return handled;
}

void MainWindow::onCharHook(wxKeyEvent& event) {
  if (onTableKey(event)) return;
  switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
      endProgram();
      return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      // Enter is the window's OK command, which does nothing.
      return;
    case WXK_NUMPAD_ADD:
      zoomView(view_, ZoomInFactor);
      surface_->Refresh(false);
      break;
    case WXK_NUMPAD_SUBTRACT:
      zoomView(view_, ZoomOutFactor);
      surface_->Refresh(false);
      break;
    default:
      break;
  }
  event.Skip();
}

void MainWindow::onTimer(wxTimerEvent&) {
  if (settings_.soundOn != 0) pollMusic();
}

void MainWindow::onCloseWindow(wxCloseEvent&) { endProgram(); }

}  // namespace gub
