// Window position in the per-user settings store.
#include "app/gui/window_position.hpp"

#include <QSettings>
#include <limits>

namespace ls::app::gui {
namespace {

constexpr int kTwipsPerPixel = 15;

// The store's application key; the file is ~/.config/Lieferschein_exe.conf.
constexpr const char* kApplication = "Lieferschein_exe";

}  // namespace

std::optional<int> loadFormPosCoordinate(const char* key) {
    const QSettings s(QSettings::NativeFormat, QSettings::UserScope, kApplication);
    const QVariant value = s.value(QString("FormPos/") + key);
    bool ok = false;
    const int twips = value.toString().trimmed().toInt(&ok);
    if (!value.isValid() || !ok) return std::nullopt;
    return twips;
}

QPoint LoadFormPos(QPoint designPixels) {
    QPoint p = designPixels;
    if (const auto x = loadFormPosCoordinate("X")) p.setX(*x / kTwipsPerPixel);
    if (const auto y = loadFormPosCoordinate("Y")) p.setY(*y / kTwipsPerPixel);
    return p;
}

void SaveFormPos(QPoint topLeftPixels) {
    const long x = static_cast<long>(topLeftPixels.x()) * kTwipsPerPixel;
    const long y = static_cast<long>(topLeftPixels.y()) * kTwipsPerPixel;
    constexpr long lo = std::numeric_limits<short>::min();
    constexpr long hi = std::numeric_limits<short>::max();
    if (x == 0 || y == 0 || x < lo || x > hi || y < lo || y > hi) return;
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, kApplication);
    s.setValue("FormPos/X", QString::number(x));
    s.setValue("FormPos/Y", QString::number(y));
}

}  // namespace ls::app::gui
