#include "editor/FileChooser.h"

#include "editor/MapDialogs.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/GuiBoxDrawing.h"
#include "toolkit/GuiButton.h"
#include "toolkit/GuiListbox.h"

#include <filesystem>

namespace {

enum : int { kList = 1, kFilter = 2, kAccept = 3, kCancel = 4, kYes = 5, kNo = 6 };

constexpr float kButtonWidth = 47;
constexpr float kButtonHeight = kBoxButtonHeight;
constexpr float kListTop = 64;
constexpr float kListHeight = 224;
constexpr float kNameTop = 306;
constexpr std::uint32_t kInk = kBoxInk;
constexpr std::uint32_t kDim = 0xFFA5A8BF;
constexpr std::uint32_t kAccent = kBoxAccent;

// Where each button sits, relative to the chooser's top-left corner (the
// question's to the question box's).
struct ButtonPlace {
    int id;
    float x, y;
    const char* label;
};
constexpr ButtonPlace kButtons[] = {
    {kFilter, 20, 340, "Filter"}, {kAccept, 440, 384, nullptr}, {kCancel, 493, 384, "Cancel"}};
constexpr float kQuestionWidth = 400;
constexpr float kQuestionHeight = 110;
constexpr ButtonPlace kAnswers[] = {{kYes, 140, 80, "Yes"}, {kNo, 213, 80, "No"}};

} // namespace

FileChooser::FileChooser(BitmapFont* font, HTEXTURE buttons, int screenWidth, int screenHeight)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_font(font), m_fill(0, 0, 0, 1, 1),
      m_x(static_cast<float>(screenWidth / 2) - kWidth / 2),
      m_y(static_cast<float>(screenHeight / 2) - kHeight / 2) {
    m_list = new GuiListbox(kList, m_x + 20, m_y + kListTop, kWidth - 40, kListHeight, font, kDim,
                            kInk, 0x408A4FD0);
    m_gui.AddWidget(m_list);
    for (const ButtonPlace& place : kButtons) {
        m_gui.AddWidget(new GuiButton(place.id, m_x + place.x, m_y + place.y, kButtonWidth,
                                      kButtonHeight, buttons, 336, 338));
    }
    const float qx = static_cast<float>(screenWidth / 2) - kQuestionWidth / 2;
    const float qy = static_cast<float>(screenHeight / 2) - kQuestionHeight / 2;
    for (const ButtonPlace& place : kAnswers) {
        m_question.AddWidget(new GuiButton(place.id, qx + place.x, qy + place.y, kButtonWidth,
                                           kButtonHeight, buttons, 336, 338));
    }
}

FileChooser::~FileChooser() {
    if (m_engine) {
        m_engine->Release();
    }
}

void FileChooser::Open(const FileDialogRequest& request, const std::string& folder) {
    m_request = request;
    m_open = true;
    m_asking = false;
    m_name.clear();
    m_notice.clear();
    m_pendingPath.clear();
    m_filter = 0;
    std::error_code error;
    std::filesystem::path start = std::filesystem::absolute(folder.empty() ? "." : folder, error);
    EnterFolder(error ? std::string(".") : start.lexically_normal().string());
}

std::string FileChooser::Pattern() const {
    if (m_request.filters.empty()) {
        return "*.*";
    }
    return m_request.filters[static_cast<std::size_t>(m_filter) % m_request.filters.size()].second;
}

void FileChooser::EnterFolder(const std::string& folder) {
    m_folder = folder;
    // A trailing separator would make ".." stay where it is.
    while (m_folder.size() > 1 && m_folder.back() == '/') {
        m_folder.pop_back();
    }
    Refill();
}

void FileChooser::Refill() {
    m_entries = ListFolder(m_folder, Pattern());
    m_list->Clear();
    for (const ChooserEntry& entry : m_entries) {
        m_list->AddLine(entry.Label().c_str());
    }
    m_list->SetSelected(-1);
    m_list->SetTop(0);
}

std::optional<FileDialogResult> FileChooser::Update(float dt) {
    if (!m_open || !m_engine) {
        return std::nullopt;
    }
    const int character = m_engine->Input_GetChar();
    if (m_asking) {
        const int id = m_question.Update(dt);
        if (id == kYes || character == '\r') {
            return Finish(true);
        }
        if (id == kNo || character == 0x1B) {
            m_asking = false;
            m_pendingPath.clear();
        }
        return std::nullopt;
    }
    if (const int id = m_gui.Update(dt)) {
        if (auto answer = Act(id)) {
            return answer;
        }
    }
    return Type(character);
}

std::optional<FileDialogResult> FileChooser::Act(int id) {
    namespace fs = std::filesystem;
    switch (id) {
    case kList: {
        const int index = m_list->GetSelected();
        if (index < 0 || index >= static_cast<int>(m_entries.size())) {
            return std::nullopt;
        }
        const ChooserEntry entry = m_entries[static_cast<std::size_t>(index)];
        if (entry.kind == ChooserEntry::Kind::Parent) {
            EnterFolder(fs::path(m_folder).parent_path().string());
        } else if (entry.kind == ChooserEntry::Kind::Folder) {
            EnterFolder((fs::path(m_folder) / entry.name).string());
        } else if (m_name == entry.name) {
            // A second click on the same file takes it.
            return Confirm();
        } else {
            m_name = entry.name;
            m_notice.clear();
        }
        return std::nullopt;
    }
    case kFilter:
        m_filter =
            (m_filter + 1) % static_cast<int>(std::max<std::size_t>(1, m_request.filters.size()));
        Refill();
        return std::nullopt;
    case kAccept:
        return Confirm();
    case kCancel:
        return Finish(false);
    default:
        return std::nullopt;
    }
}

std::optional<FileDialogResult> FileChooser::Type(int character) {
    if (character == 0x08) {
        if (!m_name.empty()) {
            m_name.pop_back();
        }
    } else if (character == '\r') {
        return Confirm();
    } else if (character == 0x1B) {
        return Finish(false);
    } else if (character >= 0x20 && character < 0x7F && m_name.size() < kMaxName) {
        m_name += static_cast<char>(character);
    }
    if (character != 0) {
        m_notice.clear();
    }
    return std::nullopt;
}

std::optional<FileDialogResult> FileChooser::Confirm() {
    namespace fs = std::filesystem;
    if (m_name.empty()) {
        return std::nullopt;
    }
    fs::path typed(m_name);
    fs::path path = typed.is_absolute() ? typed : fs::path(m_folder) / typed;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        EnterFolder(path.lexically_normal().string());
        m_name.clear();
        return std::nullopt;
    }
    m_pendingPath = WithDefaultExtension(path.lexically_normal().string(),
                                         m_request.defaultExtension, m_request.save);
    const bool exists = fs::exists(m_pendingPath, error);
    if (!m_request.save && !exists) {
        m_notice = "No such file";
        return std::nullopt;
    }
    if (m_request.save && exists && m_request.overwritePrompt) {
        m_asking = true;
        return std::nullopt;
    }
    return Finish(true);
}

std::optional<FileDialogResult> FileChooser::Finish(bool chosen) {
    FileDialogResult result;
    result.status = chosen ? FileDialogResult::Status::Chosen : FileDialogResult::Status::Cancelled;
    if (chosen) {
        result.path = m_pendingPath;
    }
    m_open = false;
    m_asking = false;
    m_pendingPath.clear();
    return result;
}

void FileChooser::Rect(float x, float y, float w, float h, std::uint32_t color) {
    FillRect(m_fill, x, y, w, h, color);
}

void FileChooser::Frame(float x, float y, float w, float h, std::uint32_t color) {
    OutlineRect(*m_engine, x, y, w, h, color);
}

void FileChooser::Label(float x, float y, int align, std::uint32_t color, const std::string& text,
                        float width) {
    FitLabel(m_font, x, y, align, color, text, width);
}

void FileChooser::Render() {
    if (!m_open || !m_engine) {
        return;
    }
    const float x = m_x;
    const float y = m_y;
    Rect(0, 0, 4096, 4096, 0x90000000);
    Rect(x, y, kWidth, kHeight, 0xF81A1D2B);
    Frame(x, y, kWidth, kHeight, kAccent);
    Label(x + 20, y + 14, BitmapFont::kLeft, 0xFFFFB347, m_request.save ? "Save map" : "Open map",
          kWidth - 40);
    Label(x + 20, y + 40, BitmapFont::kLeft, kDim, m_folder, kWidth - 40);
    Rect(x + 20, y + kListTop, kWidth - 40, kListHeight, 0xFF12141F);
    Frame(x + 20, y + kListTop, kWidth - 40, kListHeight, 0xFF3A3A45);
    Label(x + 20, y + kNameTop - 16, BitmapFont::kLeft, kDim, "File name:", 100);
    Rect(x + 20, y + kNameTop, kWidth - 40, 20, 0xFF12141F);
    Frame(x + 20, y + kNameTop, kWidth - 40, 20, kAccent);
    Label(x + 24, y + kNameTop + 3, BitmapFont::kLeft, kInk, m_name + "_", kWidth - 48);
    if (!m_request.filters.empty()) {
        const auto& filter =
            m_request.filters[static_cast<std::size_t>(m_filter) % m_request.filters.size()];
        Label(x + 76, y + 341, BitmapFont::kLeft, kInk, filter.first + " (" + filter.second + ")",
              kWidth - 96);
    }
    Label(x + 20, y + 364, BitmapFont::kLeft, 0xFFFF781E, m_notice, kWidth - 40);
    for (const ButtonPlace& place : kButtons) {
        Rect(x + place.x, y + place.y, kButtonWidth, kButtonHeight, 0xFF3B2A52);
    }
    m_gui.Render();
    for (const ButtonPlace& place : kButtons) {
        const char* label = place.label ? place.label : (m_request.save ? "Save" : "Open");
        Label(x + place.x + kButtonWidth / 2, y + place.y + 1, BitmapFont::kCentre, kInk, label,
              kButtonWidth);
    }
    if (m_asking) {
        const float qx = x + kWidth / 2 - kQuestionWidth / 2;
        const float qy = y + kHeight / 2 - kQuestionHeight / 2;
        Rect(qx, qy, kQuestionWidth, kQuestionHeight, 0xFF23273A);
        Frame(qx, qy, kQuestionWidth, kQuestionHeight, kAccent);
        Label(qx + kQuestionWidth / 2, qy + 16, BitmapFont::kCentre, kInk,
              std::filesystem::path(m_pendingPath).filename().string() + " already exists.",
              kQuestionWidth - 20);
        Label(qx + kQuestionWidth / 2, qy + 38, BitmapFont::kCentre, kInk,
              "Do you want to replace it?", kQuestionWidth - 20);
        for (const ButtonPlace& place : kAnswers) {
            Rect(qx + place.x, qy + place.y, kButtonWidth, kButtonHeight, 0xFF3B2A52);
        }
        m_question.Render();
        for (const ButtonPlace& place : kAnswers) {
            Label(qx + place.x + kButtonWidth / 2, qy + place.y + 1, BitmapFont::kCentre, kInk,
                  place.label, kButtonWidth);
        }
    }
    if (m_font) {
        m_font->SetColor(0xFFFFFFFF);
    }
}
