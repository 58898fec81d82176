// Where the panel's parts go for a window height: the list takes whatever
// height the preview, the text block and the buttons leave, so a taller
// window shows more definitions at once. The panel art is drawn in slices
// around it (PanelArt).
#pragma once

#include <algorithm>

struct PanelLayout {
    static constexpr float kListTop = 44;
    // The preview block (label and framed thumbnail) under the list.
    static constexpr float kPreviewHeight = 156;
    // Ten lines of text (the inspector or the definition's information).
    static constexpr float kTextHeight = 150;
    static constexpr float kButtonsHeight = 40;
    // Never fewer than three rows of the list, however low the window.
    static constexpr float kMinListHeight = 46;

    explicit PanelLayout(float screenHeight)
        : listBottom(std::max(kListTop + kMinListHeight,
                              screenHeight - kButtonsHeight - kTextHeight - kPreviewHeight - 8)),
          previewTop(listBottom + 4), thumbnailTop(previewTop + 22),
          textTop(previewTop + kPreviewHeight + 4), buttonsTop(screenHeight - kButtonsHeight) {}

    // The list box's own height: its frame's bottom edge is kept clear.
    float ListHeight() const { return listBottom - 2 - kListTop; }

    float listBottom;
    float previewTop;
    float thumbnailTop; // 128 x 128 at x 10
    float textTop;
    float buttonsTop;
};
