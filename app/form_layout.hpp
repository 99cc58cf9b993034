// The forms of the window as data: every control with its name, caption and place in twips.
// Both views (Qt, Win32) create what is listed, and the layout can be checked without a
// screen.
#pragma once

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ls::app {

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

// Twips to pixels at a screen resolution; 1440 twips make an inch.
constexpr int pixels(int twips, int dotsPerInch) {
    return (twips * dotsPerInch + 720) / 1440;
}

enum class ControlKind { Frame, Label, BoldLabel, Radio, CheckBox, Button, DefaultButton, List };

// Command ids. OK and Abbrechen carry the dialog ids that Enter and Escape send.
enum ControlId : int {
    kIdOk = 1,      // IDOK
    kIdCancel = 2,  // IDCANCEL
    kIdFrame1 = 100,
    kIdFirstOrder = 101,  // RadWoEing; the six order buttons follow in code order
    kIdFrame2 = 110,
    kIdLosweise,
    kIdDruck,
    kIdEinzeln,
    kIdVerdichtet,
    kIdOpen,
    kIdOpenFolder,
    kIdJobInvoice,
    kIdJobSource,
    kIdStatus,
    kIdTemplates,
};

struct Control {
    int id;
    ControlKind kind;
    std::string_view name;
    std::string_view caption;  // UTF-8
    TwipsRect place;           // in the window's client area
};

// The job line stands above the options; everything of the office's form moves down by its
// height, and a row for the result buttons comes in above the status line.
inline constexpr int kJobLine = 600;
inline constexpr int kResultRow = 360;
inline constexpr TwipsRect kMainClient{0, 0, 4575, 3765 + kJobLine + kResultRow};

// Controls inside a frame are placed relative to it on the form; here they are in client
// coordinates (Win32 frames are only drawn boxes; the Qt view places them in their frame).
inline constexpr int kDy = kJobLine;
inline constexpr std::array<Control, 19> kMainControls = {{
    {kIdJobInvoice, ControlKind::BoldLabel, "LbAuftrag", "", {120, 120, 4335, 240}},
    {kIdJobSource, ControlKind::Label, "LbAuftrag", "", {120, 360, 4335, 240}},
    {kIdFrame1, ControlKind::Frame, "Frame1", "Einzeln", {120, 120 + kDy, 3372, 1815}},
    {kIdFirstOrder,
     ControlKind::Radio,
     "RadWoEing",
     "Sortiert nach Waldort und Eingabefolge",
     {240, 360 + kDy, 3132, 252}},
    {kIdFirstOrder + 1,
     ControlKind::Radio,
     "RadWoListeLosStm",
     "Sortiert nach Waldort, Los und StmNr.",
     {240, 600 + kDy, 3132, 192}},
    {kIdFirstOrder + 2,
     ControlKind::Radio,
     "RadListeLosWaldort",
     "Sortiert nach Los, Waldort und StmNr.",
     {240, 840 + kDy, 3012, 252}},
    {kIdFirstOrder + 3,
     ControlKind::Radio,
     "RadEing",
     "Sortiert nach Eingabefolge",
     {240, 1080 + kDy, 3012, 252}},
    {kIdFirstOrder + 4,
     ControlKind::Radio,
     "RadSortiment",
     "Sortiert nach Sortiment, Los und StmNr.",
     {240, 1320 + kDy, 3132, 252}},
    {kIdFirstOrder + 5,
     ControlKind::Radio,
     "RadStammNummer",
     "Sortiert nach Stammnummer",
     {240, 1560 + kDy, 3015, 255}},
    {kIdFrame2, ControlKind::Frame, "Frame2", "Einstellungen", {120, 2040 + kDy, 3372, 972}},
    {kIdLosweise, ControlKind::CheckBox, "CbLosweise", "Losweise", {240, 2280 + kDy, 1092, 252}},
    // These three belong to the form itself but lie on the frame's area.
    {kIdDruck, ControlKind::CheckBox, "CbDruck", "Sofort drucken", {1440, 2280 + kDy, 1935, 252}},
    {kIdEinzeln, ControlKind::CheckBox, "CbEinzeln", "Einzeln", {240, 2520 + kDy, 972, 252}},
    {kIdVerdichtet,
     ControlKind::CheckBox,
     "CbVerdichtet",
     "Verdichtet",
     {1440, 2520 + kDy, 1935, 252}},
    {kIdOk, ControlKind::DefaultButton, "B_OK", "OK", {120, 3120 + kDy, 1332, 252}},
    {kIdCancel, ControlKind::Button, "ButAbbrech", "Abbrechen", {2160, 3120 + kDy, 1332, 252}},
    {kIdOpen,
     ControlKind::Button,
     "ButOeffnen",
     "Öffnen",
     {120, 3120 + kDy + kResultRow, 1332, 252}},
    {kIdOpenFolder,
     ControlKind::Button,
     "ButOrdnerOeffnen",
     "Ordner öffnen",
     {2160, 3120 + kDy + kResultRow, 1332, 252}},
    {kIdStatus,
     ControlKind::Label,
     "LbStatus",
     "Bereit!",
     {120, 3480 + kDy + kResultRow, 4335, 255}},
}};
// flbVorlagen, the form's hidden file list, has no use in this window: the template dialog
// lists the files itself.

// The template dialog "dlgVorlagen".
inline constexpr TwipsRect kDialogClient{0, 0, 3690, 2505};
inline constexpr std::array<Control, 3> kDialogControls = {{
    {kIdFrame1, ControlKind::Frame, "Frame1", "Vorlage wählen:", {120, 120, 3492, 1932}},
    {kIdTemplates, ControlKind::List, "lbVorlagen", "", {240, 360, 3252, 1425}},
    {kIdOk, ControlKind::DefaultButton, "OKButton", "OK", {1200, 2160, 1215, 252}},
}};

inline constexpr std::string_view kDialogCaption = "TNV32-Listenausdruck";

// The control of a form by its id; throws std::out_of_range for an id the form lacks.
inline const Control& formControl(std::span<const Control> controls, int id) {
    for (const auto& c : controls)
        if (c.id == id) return c;
    throw std::out_of_range("Das Formular hat kein Steuerelement " + std::to_string(id) + ".");
}

}  // namespace ls::app
