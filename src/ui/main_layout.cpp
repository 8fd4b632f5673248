// The main window's resize rules: text fields and hex-file fields grow, heading and buttons stay centred.
#include "ui/main_layout.h"

#include "common/numbers.h"

#include <algorithm>

namespace quirlwerk::ui {
namespace {

// To the nearest whole twip, halves to the even neighbour.
double rounded(double twips)
{
    return common::roundToInt32(twips);
}

// Design values the rules start from (the start-up has moved the hex-file and image frames).
constexpr double maskOffset = -60;
constexpr TwipsRect header{3090, 300, designHeaderWidth, 195};
constexpr TwipsRect conv{180, 540, 7275, 3975};
constexpr TwipsRect textInLabel{60, 0, 945, 195};
constexpr TwipsRect textIn{0, 240, 2835, 1155};
constexpr TwipsRect decrypt{360, 1620, 3255, 375};
constexpr TwipsRect crypt{3960, 1620, 3135, 375};
constexpr TwipsRect textOutLabel{60, 2100, 990, 195};
constexpr TwipsRect textOut{0, 2340, 2895, 1155};
constexpr TwipsRect datei{180, 540, 5955, 3975};
constexpr TwipsRect dateiIn{120, 300, 5295, 315};
constexpr TwipsRect file{5460, 300, 375, 315};
constexpr TwipsRect dateiOut{120, 1140, 5595, 315};
constexpr TwipsRect dateiMessage{120, 2520, 5625, 255};
constexpr TwipsRect bild{30, 540, 10335, 4935};
constexpr TwipsRect bildInfo{600, 1050, 8745, 300};

constexpr double frameMinimum = 1200;
constexpr double textMinimumWidth = 2100;
constexpr double textMinimumHeight = 900;
constexpr double hexAreaMaximum = 6000;
constexpr double buttonGap = 300;

} // namespace

MainLayout layoutMainWindow(TwipsSize outer, TwipsSize client, double headerWidth)
{
    MainLayout layout;
    layout.outer = {std::max(outer.width, minimumOuterSize.width), std::max(outer.height, minimumOuterSize.height)};

    const TwipsRect mask{maskOffset, maskOffset, layout.outer.width + 120, client.height + 120};
    // Width minimums marked "kept rule" cannot bind once the outer width is at least 5100 (kept all the same).
    const double frameWidth = std::max(rounded(mask.width - 2 * conv.left - 120), frameMinimum);   // kept rule: 4740 at least
    const double frameHeight = std::max(rounded(mask.height - conv.top - 120), frameMinimum);
    const double bildWidth = std::max(rounded(mask.width - 2 * bild.left - 240), frameMinimum);   // kept rule: 4920 at least

    // Text frame: fields as wide as the frame, the buttons in the middle, the output below them.
    const double textWidth = std::max(rounded(frameWidth - 2 * textIn.left), textMinimumWidth);   // kept rule: 4740 at least
    const double buttonRow = rounded((frameHeight - crypt.height) / 2);
    const double buttonTop = buttonRow + 90;
    const double outTop = crypt.height + buttonRow + 260;
    const double textHeight = std::max(rounded(frameHeight - outTop - 60), textMinimumHeight);
    const double buttonPair = rounded(crypt.width + decrypt.width + buttonGap);
    // Centred on the client width, as if both buttons were shown.
    const double decryptLeft = (client.width - buttonPair) / 2;

    // Hex-file frame: the fields grow with the frame up to a cap.
    // The lower bound is a kept rule (4740 at least); the cap binds from an outer width of 6360.
    const double hexArea = std::clamp(rounded(frameWidth), textMinimumWidth, hexAreaMaximum);
    const double fileLeft = rounded(hexArea - file.width);
    const double dateiInWidth = std::max(rounded(fileLeft - 2 * dateiIn.left), 1800.0);   // kept rule: 4125 at least
    // Both bounds are kept rules: the capped area gives 4500 to 5760.
    const double outNameWidth = std::clamp(rounded(hexArea - 2 * dateiIn.left), textMinimumWidth, hexAreaMaximum);

    layout.frameMask = mask;
    layout.lblHeader = {(client.width - headerWidth) / 2, header.top, headerWidth, header.height};
    layout.frameConv = {conv.left, conv.top, frameWidth, frameHeight};
    layout.lblTextIn = textInLabel;
    layout.txtIn = {textIn.left, textIn.top, textWidth, textHeight};
    layout.cmdDecrypt = {decryptLeft, buttonTop, decrypt.width, decrypt.height};
    layout.cmdCrypt = {decryptLeft + decrypt.width + buttonGap, buttonTop, crypt.width, crypt.height};
    layout.lblTextOut = {textOutLabel.left, outTop - textOutLabel.height - 45, textOutLabel.width, textOutLabel.height};
    layout.txtOut = {textOut.left, outTop, textWidth, textHeight};
    layout.frameDatei = {datei.left, datei.top, frameWidth, frameHeight};
    layout.datei = {
        .txtDateiIn = {dateiIn.left, dateiIn.top, dateiInWidth, dateiIn.height},
        .cmdFile = {fileLeft, file.top, file.width, file.height},
        .txtDateiOut = {dateiOut.left, dateiOut.top, outNameWidth, dateiOut.height},
        .lblDateiMeldung = {dateiMessage.left, dateiMessage.top, outNameWidth, dateiMessage.height},
    };
    layout.frameBild = {bild.left, bild.top, bildWidth, frameHeight};
    const double infoWidth = std::max(rounded(bildWidth - bildInfo.left - 120), textMinimumWidth);   // kept rule: 4200 at least
    layout.lblBildInfoWert = {bildInfo.left, bildInfo.top, infoWidth, bildInfo.height};
    return layout;
}

} // namespace quirlwerk::ui
