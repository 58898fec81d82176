#include "editor/MapCommands.h"

#include "editor/EditorDocument.h"
#include "editor/EditorMapFile.h"
#include "editor/MapDialogs.h"

#include <filesystem>

MapCommands::MapCommands(Engine& engine, EditorWorld& world, EditorDocument& document,
                         const EditorDefinitions& definitions, BitmapFont* font, HTEXTURE buttons,
                         int screenWidth, int screenHeight)
    : m_engine(engine), m_world(world), m_document(document), m_definitions(definitions),
      m_chooser(font, buttons, screenWidth, screenHeight) {}

void MapCommands::SaveToOwnFile() {
    if (m_document.File().empty()) {
        Request(true);
    } else {
        Save(m_document.File());
    }
}

void MapCommands::Request(bool save) {
    FileDialogRequest request = MapDialogRequest(save);
    request.folder = DialogFolder(m_document.File());
    const FileDialogResult answer = m_engine.System_FileDialog(request);
    if (answer.status == FileDialogResult::Status::Unavailable) {
        m_chooserSaves = save;
        m_chooser.Open(request, request.folder);
        return;
    }
    CarryOut(save, answer);
}

void MapCommands::Update(float dt) {
    if (auto answer = m_chooser.Update(dt)) {
        CarryOut(m_chooserSaves, *answer);
    }
}

void MapCommands::Render() {
    m_chooser.Render();
}

void MapCommands::CarryOut(bool save, const FileDialogResult& answer) {
    if (answer.status != FileDialogResult::Status::Chosen || answer.path.empty()) {
        return;
    }
    const std::string path = WithDefaultExtension(answer.path, "xml", save);
    if (save) {
        // "map1" typed over "map1.xml": the dialog asked about another name.
        std::error_code error;
        const bool renamed = answer.extensionAdded || path != answer.path;
        if (renamed && std::filesystem::exists(path, error)) {
            const std::string question = path + " already exists.\nReplace it?";
            if (askYesNo) {
                askYesNo("Replace map", question, [this, path](bool yes) {
                    if (yes) {
                        Save(path);
                    }
                });
                return;
            }
            if (!m_engine.System_Ask("Replace map", question.c_str())) {
                return;
            }
        }
        Save(path);
    } else {
        Open(path);
    }
}

bool MapCommands::Save(const std::string& path) {
    std::string error;
    if (!SaveMap(m_world, path, error)) {
        const std::string text = "The map could not be saved to: " + path + "\n" + error;
        m_engine.System_MessageBox("Error", text.c_str(), true);
        return false;
    }
    m_engine.System_Log("Map saved: %s", path.c_str());
    m_document.MarkSaved(path);
    return true;
}

bool MapCommands::Open(const std::string& path) {
    MapSnapshot before = m_document.Snapshot();
    if (!OpenMapFile(m_engine, m_world, path, m_definitions).Loaded()) {
        return false;
    }
    m_document.CommitOpen(std::move(before), path);
    m_engine.System_Log("Map opened: %s", path.c_str());
    if (onOpened) {
        onOpened(path);
    }
    return true;
}
