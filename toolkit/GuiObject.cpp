#include "toolkit/GuiObject.h"

GuiObject::GuiObject() : m_engine(EngineCreate(ENGINE_VERSION)) {}

GuiObject::~GuiObject() {
    if (m_engine)
        m_engine->Release();
}

bool GuiObject::Contains(float x, float y) const {
    return x >= m_x1 && x < m_x2 && y >= m_y1 && y < m_y2;
}

void GuiObject::SetRect(float x, float y, float width, float height) {
    m_x1 = x;
    m_y1 = y;
    m_x2 = x + width;
    m_y2 = y + height;
}
