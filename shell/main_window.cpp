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
#include "shell/settings_file.h"
#include "shell/sound.h"

// Last: Xlib defines macros (None, Bool, Status) that the wx headers must not see.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace gub {

namespace {

constexpr int MusicPollTimerId = 1;
constexpr int MusicPollPeriodMs = 100;

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
      musicPollTimer_(this, MusicPollTimerId) {
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
  closeMusic();
}

void MainWindow::present() {
  if (!glReady_ || tornDown_) return;
  // A press that leaves the title before the rest of the start-up has run
  // (it comes straight after the first paint) waits for it.
  if (screenMode_ != ScreenTitle) finishStartUp();
  canvas_->SetCurrent(*context_);
  renderer_.drawScene(game_, settings_, view_, screenMode_);
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
  handleLeftPress(context, at.x, at.y);
  event.Skip();
}

void MainWindow::onRaisedPlayGesture(wxMouseEvent& event) {
  InputContext context = inputContext();
  handleRaisedPlayGesture(context);
  event.Skip();
}

void MainWindow::onCharHook(wxKeyEvent& event) {
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
