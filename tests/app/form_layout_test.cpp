// The forms' layout tables: every control on its form and in its frame, nothing
// covering another control, and Enter and Escape wired to OK and Abbrechen by their ids.
#include "app/form_layout.hpp"

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>

namespace ls::app {
namespace {

bool inside(const TwipsRect& inner, const TwipsRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

// The office's option buttons touch by less than a pixel (252 twips high, 240 apart); more
// than that would hide part of a caption.
bool overlap(const TwipsRect& a, const TwipsRect& b) {
    constexpr int pixel = 15;
    return a.left < b.right() - pixel && b.left < a.right() - pixel && a.top < b.bottom() - pixel &&
           b.top < a.bottom() - pixel;
}

void expectSoundForm(std::span<const Control> controls, const TwipsRect& client) {
    std::set<int> ids;
    int defaults = 0;
    for (const auto& c : controls) {
        EXPECT_TRUE(ids.insert(c.id).second) << c.name << " shares its id";
        EXPECT_TRUE(inside(c.place, client)) << c.name << " lies outside the window";
        EXPECT_GT(c.place.width, 0) << c.name;
        EXPECT_GT(c.place.height, 0) << c.name;
        if (c.kind == ControlKind::DefaultButton) ++defaults;
    }
    EXPECT_EQ(defaults, 1);
    // Frames are drawn around controls; any other two controls must not cover each other.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t k = i + 1; k < controls.size(); ++k) {
            const auto& a = controls[i];
            const auto& b = controls[k];
            if (a.kind == ControlKind::Frame || b.kind == ControlKind::Frame) continue;
            EXPECT_FALSE(overlap(a.place, b.place)) << a.name << " covers " << b.name;
        }
    }
}

TEST(Win32FormLayout, MainWindowControlsSitOnTheFormAndInTheirFrames) {
    expectSoundForm(kMainControls, kMainClient);
    const auto& frame1 = formControl(kMainControls, kIdFrame1).place;
    for (int id = kIdFirstOrder; id < kIdFirstOrder + 6; ++id) {
        const auto& button = formControl(kMainControls, id);
        EXPECT_EQ(button.kind, ControlKind::Radio);
        EXPECT_TRUE(inside(button.place, frame1)) << button.name;
    }
    // The four check boxes show on Frame2's area, in two rows.
    const auto& frame2 = formControl(kMainControls, kIdFrame2).place;
    for (const int id : {kIdLosweise, kIdDruck, kIdEinzeln, kIdVerdichtet})
        EXPECT_TRUE(inside(formControl(kMainControls, id).place, frame2)) << id;
    // The job line lies above the options, the status line below everything else.
    const auto& status = formControl(kMainControls, kIdStatus).place;
    for (const auto& c : kMainControls) {
        if (c.id == kIdJobInvoice || c.id == kIdJobSource) {
            EXPECT_LE(c.place.bottom(), formControl(kMainControls, kIdFrame1).place.top);
        } else if (c.id != kIdStatus) {
            EXPECT_LE(c.place.bottom(), status.top) << c.name;
        }
    }
}

TEST(Win32FormLayout, EnterAndEscapeReachOkAndAbbrechen) {
    const auto& ok = formControl(kMainControls, 1);  // IDOK: the dialog manager's Enter
    EXPECT_EQ(ok.name, "B_OK");
    EXPECT_EQ(ok.kind, ControlKind::DefaultButton);
    const auto& cancel = formControl(kMainControls, 2);  // IDCANCEL: Escape
    EXPECT_EQ(cancel.name, "ButAbbrech");
    EXPECT_EQ(cancel.caption, "Abbrechen");
    EXPECT_EQ(formControl(kDialogControls, 1).name, "OKButton");
}

TEST(Win32FormLayout, TemplateDialogListLiesInItsFrame) {
    expectSoundForm(kDialogControls, kDialogClient);
    EXPECT_TRUE(inside(formControl(kDialogControls, kIdTemplates).place,
                       formControl(kDialogControls, kIdFrame1).place));
}

TEST(Win32FormLayout, TwipsBecomePixelsAtTheScreensResolution) {
    EXPECT_EQ(pixels(1440, 96), 96);
    EXPECT_EQ(pixels(4575, 96), 305);
    EXPECT_EQ(pixels(252, 96), 17);  // 16.8 rounds up
    EXPECT_EQ(pixels(1440, 144), 144);
    EXPECT_EQ(pixels(0, 120), 0);
}

}  // namespace
}  // namespace ls::app
