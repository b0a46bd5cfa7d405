// SPDX-License-Identifier: MIT
// Contact sheet: sections of captioned pictures flowed into rows.
#include "contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "cards.h"

namespace gub::assets {

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kMargin = 16;
constexpr int kGap = 12;
constexpr int kCaptionHeight = 16;
constexpr int kHeadingHeight = 30;
constexpr Rgb kSheetBackground = rgb(232, 232, 228);

struct Item {
  const Picture* picture;
  double width, height;  // source region shown
  double scale;          // on-sheet size = region × scale
  std::string caption;
};

struct Section {
  std::string heading;
  std::vector<Item> items;
};

struct Placed {
  const Item* item;
  double x, y;
};

// Flows the sections into rows; returns the sheet height and fills `placed`
// and the heading positions.
int layout(const std::vector<Section>& sections, std::vector<Placed>& placed,
           std::vector<std::pair<const Section*, double>>& headings) {
  double y = kMargin;
  for (const Section& section : sections) {
    headings.emplace_back(&section, y);
    y += kHeadingHeight;
    double x = kMargin;
    double rowHeight = 0;
    for (const Item& item : section.items) {
      const double w = std::max(item.width * item.scale, 60.0);
      const double h = item.height * item.scale + kCaptionHeight;
      if (x + w > kSheetWidth - kMargin && x > kMargin) {
        x = kMargin;
        y += rowHeight + kGap;
        rowHeight = 0;
      }
      placed.push_back({&item, x, y});
      x += w + kGap;
      rowHeight = std::max(rowHeight, h);
    }
    y += rowHeight + 2 * kGap;
  }
  return static_cast<int>(std::ceil(y + kMargin));
}

void drawItem(cairo_t* cr, const Placed& p) {
  const Item& item = *p.item;
  cairo_save(cr);
  cairo_translate(cr, p.x, p.y);
  cairo_rectangle(cr, 0, 0, item.width * item.scale, item.height * item.scale);
  cairo_clip(cr);
  cairo_scale(cr, item.scale, item.scale);
  cairo_set_source_surface(cr, item.picture->surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);

  TextStyle caption;
  caption.bold = false;
  caption.sizePx = 10;
  caption.colour = rgb(30, 30, 30);
  caption.maxWidth = std::max(item.width * item.scale, 60.0);
  double w, h;
  measureText(cr, item.caption, caption, w, h);
  const double captionWidth = std::min(w, caption.maxWidth);
  drawTextCentred(cr, item.caption, caption, p.x + captionWidth / 2,
                  p.y + item.height * item.scale + kCaptionHeight / 2.0);
}

}  // namespace

bool writeContactSheet(const std::vector<const Picture*>& pictures, const std::string& path) {
  Section cards{"Cards (whole files at 128 x 128; the face is the top-left 71 x 96 of 128)", {}};
  Section small{"Card faces as a 1024 x 768 table shows them: 48 and 40 pixels wide", {}};
  Section table{"Table (at 512 x 512)", {}};
  Section overlays{"Overlay pictures (bg/)", {}};
  std::vector<const Picture*> faces;
  for (const Picture* p : pictures) {
    const std::string& name = p->fileName();
    const double w = p->width(), h = p->height();
    if (name.rfind("crd/", 0) == 0) {
      cards.items.push_back({p, w, h, kCardFileSize / w, name});
      faces.push_back(p);
    } else if (name == "bg/table.bg") {
      table.items.push_back({p, w, h, 512.0 / w, name});
    } else {
      overlays.items.push_back({p, w, h, 1.0, name});
    }
  }
  for (double width : {48.0, 40.0}) {
    for (const Picture* p : faces) {
      // The face is the same fraction of a file of any size.
      const double density = static_cast<double>(p->width()) / kCardFileSize;
      small.items.push_back({p, kFaceWidth * density, kFaceHeight * density,
                             width / (kFaceWidth * density), p->fileName().substr(4)});
    }
  }

  const std::vector<Section> sections = {overlays, cards, small, table};
  std::vector<Placed> placed;
  std::vector<std::pair<const Section*, double>> headings;
  const int height = layout(sections, placed, headings);

  Picture sheet("contact-sheet.png", kSheetWidth, height);
  {
    Canvas cr(sheet);
    setColour(cr, kSheetBackground);
    cairo_paint(cr);
    TextStyle heading;
    heading.sizePx = 15;
    heading.colour = rgb(20, 20, 20);
    for (const auto& [section, y] : headings) {
      double w, h;
      measureText(cr, section->heading, heading, w, h);
      drawTextCentred(cr, section->heading, heading, kMargin + w / 2, y + kHeadingHeight / 2.0);
    }
    for (const Placed& p : placed) drawItem(cr, p);
  }
  cairo_surface_flush(sheet.surface());
  return cairo_surface_write_to_png(sheet.surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace gub::assets
