// SPDX-License-Identifier: MIT
// The yardstick for the game's start-up time (measure.py): the least a wx
// program with a GL canvas does before its first frame. A borderless window
// over the whole primary screen, a double-buffered GL canvas in it, and at the
// first paint a context, one clear to a flat colour and one buffer swap.
// Escape or the window manager's close request ends it.
#include <GL/gl.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <cstdlib>

namespace {

// Clear colour, also named on the probe's command line by measure.py.
constexpr float ClearRed = 0.2f, ClearGreen = 0.6f, ClearBlue = 0.4f;

class BareFrame : public wxFrame {
 public:
  BareFrame()
      : wxFrame(nullptr, wxID_ANY, "Bare GL window", wxDefaultPosition, wxDefaultSize,
                wxBORDER_NONE) {
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 0).DoubleBuffer().Depth(24).EndList();
    canvas_ = new wxGLCanvas(this, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                             wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    canvas_->Bind(wxEVT_PAINT, &BareFrame::onPaint, this);
    canvas_->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    canvas_->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
      if (event.GetKeyCode() == WXK_ESCAPE) Close();
      event.Skip();
    });
    SetSize(wxDisplay().GetGeometry());
  }

  ~BareFrame() override { delete context_; }

 private:
  void onPaint(wxPaintEvent&) {
    wxPaintDC dc(canvas_);
    if (context_ == nullptr) {
      wxGLContextAttrs contextAttributes;
      contextAttributes.PlatformDefaults().EndList();
      context_ = new wxGLContext(canvas_, nullptr, &contextAttributes);
    }
    if (!context_->IsOK() || !canvas_->SetCurrent(*context_)) return;
    wxSize size = canvas_->ToPhys(canvas_->GetClientSize());
    glViewport(0, 0, size.x, size.y);
    glClearColor(ClearRed, ClearGreen, ClearBlue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    canvas_->SwapBuffers();
  }

  wxGLCanvas* canvas_ = nullptr;
  wxGLContext* context_ = nullptr;
};

}  // namespace

class BareApp : public wxApp {
 public:
  bool OnInit() override {
    (new BareFrame)->Show();
    return true;
  }
};

wxIMPLEMENT_APP_NO_MAIN(BareApp);

int main(int argc, char** argv) {
  // As the game does: GLX on X11, also under a Wayland desktop.
  setenv("GDK_BACKEND", "x11", 1);
  return wxEntry(argc, argv);
}
