#include "toolkit/GuiQuestionBox.h"

#include "toolkit/BitmapFont.h"
#include "toolkit/GuiBoxDrawing.h"
#include "toolkit/GuiButton.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr float kWidth = 520;
constexpr float kButtonWidth = 90;
constexpr float kButtonHeight = kBoxButtonHeight;
constexpr float kGap = 12;
constexpr float kLine = 18;
constexpr std::uint32_t kInk = kBoxInk;
constexpr std::uint32_t kAccent = kBoxAccent;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

float Height(const std::string& text) {
    return 60 + kLine * static_cast<float>(Lines(text).size()) + kButtonHeight;
}

} // namespace

GuiQuestionBox::GuiQuestionBox(int screenWidth, int screenHeight)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_fill(0, 0, 0, 1, 1),
      m_centreX(static_cast<float>(screenWidth) / 2),
      m_centreY(static_cast<float>(screenHeight) / 2) {}

GuiQuestionBox::~GuiQuestionBox() {
    if (m_engine) {
        if (m_takesMessages) {
            m_engine->System_SetMessageBoxFunc(nullptr);
        }
        m_engine->Release();
    }
}

void GuiQuestionBox::SetLook(BitmapFont* font, HTEXTURE buttons) {
    m_font = font;
    m_buttons = buttons;
    if (!m_queue.empty()) {
        Build();
    }
}

void GuiQuestionBox::TakeMessageBoxes() {
    if (!m_engine) {
        return;
    }
    m_takesMessages = true;
    m_engine->System_SetMessageBoxFunc([this](const std::string& title, const std::string& text,
                                              bool) { Ask(title, text, {"OK"}, nullptr); });
}

void GuiQuestionBox::Ask(const std::string& title, const std::string& text,
                         std::vector<std::string> answers, std::function<void(int)> answered) {
    m_queue.push_back({title, text, std::move(answers), std::move(answered)});
    if (m_queue.size() == 1 && m_font) {
        Build();
    }
}

void GuiQuestionBox::Build() {
    m_gui = std::make_unique<GuiManager>();
    const Pending& box = m_queue.front();
    const float count = static_cast<float>(box.answers.size());
    const float left = m_centreX - (count * kButtonWidth + (count - 1) * kGap) / 2;
    const float y = m_centreY + Height(box.text) / 2 - kButtonHeight - 14;
    for (std::size_t i = 0; i < box.answers.size(); ++i) {
        m_gui->AddWidget(new GuiButton(static_cast<int>(i) + 1,
                                       left + static_cast<float>(i) * (kButtonWidth + kGap), y,
                                       kButtonWidth, kButtonHeight, m_buttons, 336, 338));
    }
}

void GuiQuestionBox::Update() {
    if (m_queue.empty() || !m_engine || !m_gui) {
        return;
    }
    const int last = static_cast<int>(m_queue.front().answers.size()) - 1;
    int answer = m_gui->Update(0) - 1;
    const int key = m_engine->Input_GetKey();
    if (key == VK_ESCAPE) {
        answer = 0;
    } else if (key == VK_RETURN) {
        answer = last;
    }
    if (answer < 0 || answer > last) {
        return;
    }
    Pending done = std::move(m_queue.front());
    m_queue.erase(m_queue.begin());
    if (!m_queue.empty() && m_font) {
        Build();
    }
    if (done.answered) {
        done.answered(answer);
    }
}

void GuiQuestionBox::Render() {
    if (m_queue.empty() || !m_engine || !m_font) {
        return;
    }
    const Pending& box = m_queue.front();
    const float height = Height(box.text);
    const float x = m_centreX - kWidth / 2;
    const float y = m_centreY - height / 2;
    FillRect(m_fill, 0, 0, 4096, 4096, 0x90000000);
    FillRect(m_fill, x, y, kWidth, height, 0xF81A1D2B);
    OutlineRect(*m_engine, x, y, kWidth, height, kAccent);
    FitLabel(m_font, x + 20, y + 14, 0, 0xFFFFB347, box.title, kWidth - 40);
    float lineY = y + 42;
    for (const std::string& line : Lines(box.text)) {
        FitLabel(m_font, m_centreX, lineY, BitmapFont::kCentre, kInk, line, kWidth - 40);
        lineY += kLine;
    }
    const float count = static_cast<float>(box.answers.size());
    const float left = m_centreX - (count * kButtonWidth + (count - 1) * kGap) / 2;
    const float buttonY = y + height - kButtonHeight - 14;
    for (std::size_t i = 0; i < box.answers.size(); ++i) {
        FillRect(m_fill, left + static_cast<float>(i) * (kButtonWidth + kGap), buttonY,
                 kButtonWidth, kButtonHeight, 0xFF3B2A52);
    }
    for (std::size_t i = 0; i < box.answers.size(); ++i) {
        OutlineRect(*m_engine, left + static_cast<float>(i) * (kButtonWidth + kGap), buttonY,
                    kButtonWidth, kButtonHeight, kAccent);
    }
    for (std::size_t i = 0; i < box.answers.size(); ++i) {
        FitLabel(m_font, left + static_cast<float>(i) * (kButtonWidth + kGap) + kButtonWidth / 2,
                 buttonY + 1, BitmapFont::kCentre, kInk, box.answers[i], kButtonWidth);
    }
    if (m_font) {
        m_font->SetColor(0xFFFFFFFF);
    }
}
