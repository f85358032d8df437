// The display switch through XRandR: the CRTC of the primary output is set to
// a 640 by 480 mode that the output offers, and set back to its old mode.
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/core/DisplayMode.h"

namespace platform {

namespace {

class NoDisplayModeSwitch : public DisplayModeSwitcher {
public:
  bool SwitchTo640x480() override { return false; }
  void Restore() override {}
};

class XRandrDisplayModeSwitch : public DisplayModeSwitcher {
public:
  explicit XRandrDisplayModeSwitch(Display *display) : display_(display) {}
  ~XRandrDisplayModeSwitch() override {
    Restore();
    XCloseDisplay(display_);
  }

  bool SwitchTo640x480() override {
    Window root = DefaultRootWindow(display_);
    XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display_, root);
    if (resources == nullptr)
      return false;
    bool switched = false;
    XRROutputInfo *outputInfo = ActiveOutput(resources, XRRGetOutputPrimary(display_, root));
    if (outputInfo != nullptr && outputInfo->crtc != 0) {
      XRRCrtcInfo *crtc = XRRGetCrtcInfo(display_, resources, outputInfo->crtc);
      RRMode mode = FindMode(resources, outputInfo);
      if (crtc != nullptr && mode != 0) {
        if (!saved_)
          Save(outputInfo->crtc, crtc);
        switched = XRRSetCrtcConfig(display_, resources, outputInfo->crtc, CurrentTime, crtc->x, crtc->y,
                                    mode, crtc->rotation, crtc->outputs, crtc->noutput) == RRSetConfigSuccess;
        XSync(display_, False);
      }
      if (crtc != nullptr)
        XRRFreeCrtcInfo(crtc);
    }
    if (outputInfo != nullptr)
      XRRFreeOutputInfo(outputInfo);
    XRRFreeScreenResources(resources);
    return switched;
  }

  void Restore() override {
    if (!saved_)
      return;
    Window root = DefaultRootWindow(display_);
    if (XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display_, root)) {
      XRRSetCrtcConfig(display_, resources, crtc_, CurrentTime, x_, y_, mode_, rotation_, outputs_.data(),
                       static_cast<int>(outputs_.size()));
      XRRFreeScreenResources(resources);
      XSync(display_, False);
    }
    saved_ = false;
  }

private:
  // The primary output, or without one the first connected output that shows
  // a picture (has a CRTC).
  XRROutputInfo *ActiveOutput(XRRScreenResources *resources, RROutput primary) {
    if (primary != 0)
      if (XRROutputInfo *info = XRRGetOutputInfo(display_, resources, primary))
        return info;
    for (int i = 0; i < resources->noutput; ++i) {
      XRROutputInfo *info = XRRGetOutputInfo(display_, resources, resources->outputs[i]);
      if (info != nullptr && info->connection == RR_Connected && info->crtc != 0)
        return info;
      if (info != nullptr)
        XRRFreeOutputInfo(info);
    }
    return nullptr;
  }

  static RRMode FindMode(XRRScreenResources *resources, XRROutputInfo *output) {
    for (int i = 0; i < output->nmode; ++i)
      for (int m = 0; m < resources->nmode; ++m)
        if (resources->modes[m].id == output->modes[i] && resources->modes[m].width == 640 &&
            resources->modes[m].height == 480)
          return resources->modes[m].id;
    return 0;
  }

  void Save(RRCrtc crtcId, XRRCrtcInfo *crtc) {
    crtc_ = crtcId;
    mode_ = crtc->mode;
    x_ = crtc->x;
    y_ = crtc->y;
    rotation_ = crtc->rotation;
    outputs_.assign(crtc->outputs, crtc->outputs + crtc->noutput);
    saved_ = true;
  }

  Display *display_;
  bool saved_ = false;
  RRCrtc crtc_ = 0;
  RRMode mode_ = 0;
  int x_ = 0, y_ = 0;
  Rotation rotation_ = RR_Rotate_0;
  std::vector<RROutput> outputs_;
};

} // namespace

std::unique_ptr<DisplayModeSwitcher> MakeDesktopDisplayModeSwitcher() {
  // Only an X11 session can switch modes; Wayland and the headless platforms can't.
  if (QGuiApplication::platformName() != "xcb")
    return std::make_unique<NoDisplayModeSwitch>();
  int eventBase = 0, errorBase = 0;
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr)
    return std::make_unique<NoDisplayModeSwitch>();
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) {
    XCloseDisplay(display);
    return std::make_unique<NoDisplayModeSwitch>();
  }
  return std::make_unique<XRandrDisplayModeSwitch>(display);
}

} // namespace platform
