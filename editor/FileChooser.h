// The editor's own open/save dialog, for machines without a desktop file
// dialog: a folder list with "..", the filter, a name field typed from the
// keyboard and, when saving over a file, the overwrite question. Drawn with
// the toolkit's widgets over the editor; it takes the input while open.
#pragma once

#include "editor/ChooserFolder.h"
#include "platform/engine/Engine.h"
#include "toolkit/GuiManager.h"
#include "toolkit/Sprite.h"

#include <optional>
#include <string>
#include <vector>

class BitmapFont;
class GuiListbox;

class FileChooser {
public:
    static constexpr std::size_t kMaxName = 255;
    static constexpr float kWidth = 560;
    static constexpr float kHeight = 420;

    // The font stays its owner's; buttons are the panel's button images.
    FileChooser(BitmapFont* font, HTEXTURE buttons, int screenWidth, int screenHeight);
    ~FileChooser();
    FileChooser(const FileChooser&) = delete;
    FileChooser& operator=(const FileChooser&) = delete;

    void Open(const FileDialogRequest& request, const std::string& folder);
    bool IsOpen() const { return m_open; }

    // One frame of the user's input. Gives the answer (chosen with the full
    // path, or cancelled) in the frame the user makes it, and closes.
    std::optional<FileDialogResult> Update(float dt);
    void Render();

    const std::string& Folder() const { return m_folder; }
    const std::string& Name() const { return m_name; }
    const std::vector<ChooserEntry>& Entries() const { return m_entries; }
    int FilterIndex() const { return m_filter; }
    bool Asking() const { return m_asking; }
    // A short notice under the name field ("No such file"), or empty.
    const std::string& Notice() const { return m_notice; }

private:
    std::optional<FileDialogResult> Act(int id);
    std::optional<FileDialogResult> Type(int character);
    std::optional<FileDialogResult> Confirm();
    std::optional<FileDialogResult> Finish(bool chosen);
    void EnterFolder(const std::string& folder);
    void Refill();
    std::string Pattern() const;
    void Rect(float x, float y, float w, float h, std::uint32_t color);
    void Frame(float x, float y, float w, float h, std::uint32_t color);
    void Label(float x, float y, int align, std::uint32_t color, const std::string& text,
               float width);

    Engine* m_engine;
    BitmapFont* m_font;
    GuiManager m_gui;
    GuiManager m_question;
    GuiListbox* m_list = nullptr; // owned by m_gui
    Sprite m_fill;
    float m_x;
    float m_y;
    bool m_open = false;
    bool m_asking = false;
    FileDialogRequest m_request;
    std::string m_folder;
    std::string m_name;
    std::string m_pendingPath; // waiting for the overwrite answer
    std::string m_notice;
    std::vector<ChooserEntry> m_entries;
    int m_filter = 0;
};
