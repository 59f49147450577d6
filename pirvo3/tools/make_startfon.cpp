// Draws the lesson menu's background picture and writes it as a GIF.
//
// The picture is blue, darker at the top, with a band behind the two group
// marks at the left edge, a soft light behind the product name, thin rules
// between the parts of the menu and a faint row of keys along the bottom.
// The menu's own labels are drawn over it, so it carries no text.
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <vector>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "gif_writer.h"

namespace {

constexpr int kWidth = 5655 / 15;
constexpr int kHeight = 4410 / 15;

QImage draw() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0.0, QColor(0x0B, 0x27, 0x70));
  sky.setColorAt(0.55, QColor(0x12, 0x3C, 0x96));
  sky.setColorAt(1.0, QColor(0x1C, 0x4F, 0xB0));
  p.fillRect(image.rect(), sky);

  // A broad diagonal sheen.
  QLinearGradient sheen(0, kHeight, kWidth, 0);
  sheen.setColorAt(0.0, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.5, QColor(255, 255, 255, 22));
  sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.fillRect(image.rect(), sheen);

  // Light behind the product name.
  QRadialGradient glow(QPointF(262, 28), 110);
  glow.setColorAt(0.0, QColor(150, 190, 255, 90));
  glow.setColorAt(1.0, QColor(150, 190, 255, 0));
  p.fillRect(image.rect(), glow);

  // The band behind the group marks R U S and L A T.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x08, 0x1E, 0x5A));
  p.drawRect(0, 0, 27, kHeight);
  p.setBrush(QColor(0x2E, 0x64, 0xC8));
  p.drawRoundedRect(QRectF(3, 57, 21, 68), 6, 6);
  p.drawRoundedRect(QRectF(3, 197, 21, 64), 6, 6);
  p.setPen(QPen(QColor(120, 165, 240), 1));
  p.drawLine(27, 0, 27, kHeight);

  // Rules under the heading and between the lesson groups.
  p.setPen(QPen(QColor(140, 180, 250, 160), 1));
  p.drawLine(QPointF(32, 50.5), QPointF(kWidth - 10, 50.5));
  p.drawLine(QPointF(32, 168.5), QPointF(132, 168.5));
  p.setPen(QPen(QColor(140, 180, 250, 90), 1));
  p.drawLine(QPointF(150, 192.5), QPointF(kWidth - 10, 192.5));

  // A faint row of keys along the bottom, with the bumps of the home keys.
  const int keyTop = 272;
  for (int i = 0; i < 9; ++i) {
    const QRectF key(34 + i * 17, keyTop, 14, 14);
    p.setPen(QPen(QColor(110, 150, 225, 150), 1));
    p.setBrush(QColor(30, 80, 170, 120));
    p.drawRoundedRect(key, 3, 3);
    if (i == 3 || i == 6) {
      p.setPen(QPen(QColor(170, 205, 255, 200), 1.5));
      p.drawLine(QPointF(key.left() + 4, key.bottom() - 4), QPointF(key.right() - 4, key.bottom() - 4));
    }
  }
  p.setPen(QPen(QColor(110, 150, 225, 150), 1));
  p.setBrush(QColor(30, 80, 170, 120));
  p.drawRoundedRect(QRectF(34, keyTop - 17, 150, 14), 3, 3);  // the space bar, above
  p.end();
  return image;
}

struct Box {
  std::vector<QRgb> colors;
};

int widestChannel(const std::vector<QRgb>& colors, int& range) {
  int lo[3] = {255, 255, 255};
  int hi[3] = {0, 0, 0};
  for (QRgb c : colors) {
    const int v[3] = {qRed(c), qGreen(c), qBlue(c)};
    for (int k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], v[k]);
      hi[k] = std::max(hi[k], v[k]);
    }
  }
  int best = 0;
  for (int k = 1; k < 3; ++k) {
    if (hi[k] - lo[k] > hi[best] - lo[best]) best = k;
  }
  range = hi[best] - lo[best];
  return best;
}

int channel(QRgb c, int k) { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); }

// Median cut down to 256 colours, then every pixel to its nearest colour.
void quantize(const QImage& image, std::vector<std::uint8_t>& indices,
              std::vector<std::uint32_t>& palette) {
  std::vector<Box> boxes(1);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) boxes[0].colors.push_back(image.pixel(x, y) & 0xFFFFFF);
  }
  while (boxes.size() < 256) {
    std::size_t pick = boxes.size();
    long long bestScore = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      int range = 0;
      widestChannel(boxes[i].colors, range);
      const long long score = static_cast<long long>(range) * static_cast<long long>(boxes[i].colors.size());
      if (range > 0 && score > bestScore) {
        bestScore = score;
        pick = i;
      }
    }
    if (pick == boxes.size()) break;
    int range = 0;
    const int k = widestChannel(boxes[pick].colors, range);
    auto& colors = boxes[pick].colors;
    const auto middle = colors.begin() + static_cast<std::ptrdiff_t>(colors.size() / 2);
    std::nth_element(colors.begin(), middle, colors.end(),
                     [k](QRgb a, QRgb b) { return channel(a, k) < channel(b, k); });
    Box upper;
    upper.colors.assign(middle, colors.end());
    colors.erase(middle, colors.end());
    boxes.push_back(std::move(upper));
  }
  palette.clear();
  for (const Box& box : boxes) {
    long long sum[3] = {0, 0, 0};
    for (QRgb c : box.colors) {
      sum[0] += qRed(c);
      sum[1] += qGreen(c);
      sum[2] += qBlue(c);
    }
    const auto n = static_cast<long long>(std::max<std::size_t>(box.colors.size(), 1));
    palette.push_back(static_cast<std::uint32_t>(((sum[0] / n) << 16) | ((sum[1] / n) << 8) | (sum[2] / n)));
  }
  std::map<QRgb, std::uint8_t> nearest;
  indices.clear();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xFFFFFF;
      auto it = nearest.find(c);
      if (it == nearest.end()) {
        int best = 0;
        long long bestDistance = -1;
        for (std::size_t i = 0; i < palette.size(); ++i) {
          const long long dr = qRed(c) - static_cast<int>((palette[i] >> 16) & 0xFF);
          const long long dg = qGreen(c) - static_cast<int>((palette[i] >> 8) & 0xFF);
          const long long db = qBlue(c) - static_cast<int>(palette[i] & 0xFF);
          const long long d = dr * dr + dg * dg + db * db;
          if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
          }
        }
        it = nearest.emplace(c, static_cast<std::uint8_t>(best)).first;
      }
      indices.push_back(it->second);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_startfon OUTPUT.gif\n");
    return 2;
  }
  std::vector<std::uint8_t> indices;
  std::vector<std::uint32_t> palette;
  quantize(draw(), indices, palette);
  if (!pirvo3::writeGif(argv[1], kWidth, kHeight, indices, palette)) {
    std::fprintf(stderr, "make_startfon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
