#include "platform/engine/GlFramebuffer.h"

bool GlFramebuffer::Create(GLuint colourTexture, int width, int height, bool depth) {
    Destroy();
    m_colour = colourTexture;
    m_width = width;
    m_height = height;
    glGenFramebuffers(1, &m_fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, m_fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colourTexture, 0);
    if (depth) {
        glGenRenderbuffers(1, &m_depth);
        glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
    }
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
        Destroy();
    return complete;
}

void GlFramebuffer::AdoptWindow(int width, int height, bool depth) {
    Destroy();
    m_width = width;
    m_height = height;
    m_window = true;
    m_windowDepth = depth;
}

void GlFramebuffer::Destroy() {
    if (m_depth)
        glDeleteRenderbuffers(1, &m_depth);
    if (m_fbo)
        glDeleteFramebuffers(1, &m_fbo);
    m_depth = m_fbo = 0;
    m_colour = 0;
    m_width = m_height = 0;
    m_window = m_windowDepth = false;
}
