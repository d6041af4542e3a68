// Draws the settings bundle's pictures (our own artwork) into a folder, at build time:
//   ovrimo.png        the per-icon "+" button's picture
//   ovrimo_popup.png  the page button's picture and the welcome alert's picture
//   chequerboard.png  the icon library's grid background
//   twitter.png       the follow button's picture
//   icon.png          the bundle's row in the Settings app's list
//   logo@2x.png       the banner of the information pane (320 x 120 points)

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double kPurple[3] = { 132 / 255.0, 79 / 255.0, 152 / 255.0 };

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A stylised app icon: a rounded square with a brush stroke across it.
void drawMark(cairo_t* cr, double x, double y, double size)
{
    roundedRect(cr, x, y, size, size, size * 0.225);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(x, y, x + size, y + size);
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.98, 0.62, 0.28);
    cairo_pattern_add_color_stop_rgb(gradient, 1, kPurple[0], kPurple[1], kPurple[2]);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, size * 0.12);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x + size * 0.25, y + size * 0.72);
    cairo_curve_to(cr, x + size * 0.4, y + size * 0.3, x + size * 0.6, y + size * 0.8, x + size * 0.76, y + size * 0.3);
    cairo_stroke(cr);
}

bool save(cairo_surface_t* surface, const std::string& path)
{
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok)
        std::fprintf(stderr, "artwork: cannot write %s\n", path.c_str());
    return ok;
}

bool iconButton(const std::string& folder)
{
    auto* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 60, 60);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, kPurple[0], kPurple[1], kPurple[2]);
    cairo_paint(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_arc(cr, 30, 30, 22, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_destroy(cr);
    return save(surface, folder + "/ovrimo.png");
}

bool popup(const std::string& folder)
{
    // Shown at half size in the welcome alert, between its title and its message.
    auto* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 200, 116);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 0.5, 0.5);
    cairo_translate(cr, 0, -8);
    drawMark(cr, 60, 40, 160);
    // A second, smaller icon being swapped in.
    drawMark(cr, 250, 100, 100);
    cairo_set_source_rgb(cr, kPurple[0], kPurple[1], kPurple[2]);
    cairo_set_line_width(cr, 10);
    cairo_move_to(cr, 228, 60);
    cairo_line_to(cr, 270, 60);
    cairo_line_to(cr, 262, 48);
    cairo_move_to(cr, 270, 60);
    cairo_line_to(cr, 262, 72);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return save(surface, folder + "/ovrimo_popup.png");
}

bool chequerboard(const std::string& folder)
{
    auto* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40, 40);
    cairo_t* cr = cairo_create(surface);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            double grey = (x + y) % 2 ? 0.80 : 0.95;
            cairo_set_source_rgb(cr, grey, grey, grey);
            cairo_rectangle(cr, x * 10, y * 10, 10, 10);
            cairo_fill(cr);
        }
    }
    cairo_destroy(cr);
    return save(surface, folder + "/chequerboard.png");
}

bool follow(const std::string& folder)
{
    // Read at one pixel a point, the size of a bar button's picture.
    auto* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 28, 28);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 28.0 / 58.0, 28.0 / 58.0);
    cairo_arc(cr, 29, 29, 28, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.11, 0.63, 0.95);
    cairo_fill(cr);
    // A speech bubble.
    cairo_set_source_rgb(cr, 1, 1, 1);
    roundedRect(cr, 14, 16, 30, 20, 6);
    cairo_fill(cr);
    cairo_move_to(cr, 20, 34);
    cairo_line_to(cr, 18, 43);
    cairo_line_to(cr, 28, 35);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
    return save(surface, folder + "/twitter.png");
}

bool settingsIcon(const std::string& folder)
{
    auto* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 58, 58);
    cairo_t* cr = cairo_create(surface);
    drawMark(cr, 0, 0, 58);
    cairo_destroy(cr);
    return save(surface, folder + "/icon.png");
}

bool logo(const std::string& folder)
{
    // Three icons, the middle one being replaced: drawn at twice the banner's size in points.
    auto* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 640, 240);
    cairo_t* cr = cairo_create(surface);
    drawMark(cr, 90, 60, 120);
    drawMark(cr, 260, 30, 180);
    drawMark(cr, 470, 60, 120);
    cairo_destroy(cr);
    return save(surface, folder + "/logo@2x.png");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    bool ok = iconButton(folder) && popup(folder) && chequerboard(folder) && follow(folder) && settingsIcon(folder) && logo(folder);
    return ok ? 0 : 1;
}
