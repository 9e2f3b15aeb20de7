/* Writes a window's current pixels as a binary PPM, so end-to-end tests can look
 * at what a real X server shows. Usage: grab_window WINDOW_ID > out.ppm */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: grab_window WINDOW_ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "grab_window: cannot open the display\n");
        return 1;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image = XGetImage(display, window, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height, AllPlanes, ZPixmap);
    if (!image) {
        fprintf(stderr, "grab_window: cannot read the window\n");
        return 1;
    }
    printf("P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            putchar((int)((pixel & image->red_mask) >> 16));
            putchar((int)((pixel & image->green_mask) >> 8));
            putchar((int)(pixel & image->blue_mask));
        }
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
