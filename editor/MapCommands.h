// The panel's save and open buttons: the file dialog (the desktop's, or the
// editor's own chooser where there is none), then saving or opening, with a
// message box when either fails.
#pragma once

#include "editor/FileChooser.h"

#include <functional>
#include <string>

class BitmapFont;
class EditorDefinitions;
class EditorDocument;
class EditorWorld;

class MapCommands {
public:
    MapCommands(Engine& engine, EditorWorld& world, EditorDocument& document,
                const EditorDefinitions& definitions, BitmapFont* font, HTEXTURE buttons,
                int screenWidth, int screenHeight);

    // Asks for a file; cancelling does nothing. Without a desktop dialog the
    // chooser opens and the answer comes in a later frame's Update.
    void Request(bool save);
    // Saves to the map's own file; a map that has none yet asks for one.
    void SaveToOwnFile();
    // While the chooser is open it takes the frame's input.
    void Update(float dt);
    void Render();
    bool ChooserOpen() const { return m_chooser.IsOpen(); }
    const FileChooser& Chooser() const { return m_chooser; }

    // Saves, or shows "Error" with the path and the reason.
    bool Save(const std::string& path);
    // Opens (one undo step); a file that cannot be loaded shows the load
    // message and keeps the map on screen.
    bool Open(const std::string& path);

    // Called with the path of every map opened (its recovery file may be
    // offered then).
    std::function<void(const std::string&)> onOpened;
    // Asks a yes/no question the editor's way (its own box in a real
    // window: the answer may come in a later frame). Null: the engine's.
    std::function<void(const std::string& title, const std::string& text,
                       std::function<void(bool)> answered)>
        askYesNo;

private:
    void CarryOut(bool save, const FileDialogResult& answer);

    Engine& m_engine;
    EditorWorld& m_world;
    EditorDocument& m_document;
    const EditorDefinitions& m_definitions;
    FileChooser m_chooser;
    bool m_chooserSaves = false;
};
