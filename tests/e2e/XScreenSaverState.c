/* Prints the X server's screen-saver state as the MIT-SCREEN-SAVER extension reports it: "on"
   (the saver is active), "off" (it will start after the idle timeout), or "disabled". */
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <stdio.h>

int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "vex-xsaver: cannot open display\n");
    return 1;
  }
  int eventBase = 0, errorBase = 0;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (!info || !XScreenSaverQueryExtension(display, &eventBase, &errorBase) ||
      !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) {
    fprintf(stderr, "vex-xsaver: no screen-saver extension\n");
    return 1;
  }
  puts(info->state == ScreenSaverOn ? "on" : info->state == ScreenSaverOff ? "off" : "disabled");
  XFree(info);
  XCloseDisplay(display);
  return 0;
}
