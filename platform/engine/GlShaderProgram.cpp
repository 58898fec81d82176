#include "platform/engine/GlShaderProgram.h"

#include <utility>

namespace {

// Positions arrive in target pixels (y down); the drawing transform and the
// target's pixel-to-clip mapping are applied here so the CPU only copies
// vertices. z is the engine's depth: 0 near, 1 far.
const char* const kVertexSource = R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec4 a_color;
layout(location = 2) in vec2 a_texCoord;
uniform vec2 u_projScale;
uniform vec2 u_projOffset;
uniform mat2 u_matrix;
uniform vec2 u_offset;
out vec4 v_color;
out vec2 v_texCoord;
void main() {
    vec2 p = u_matrix * a_position.xy + u_offset;
    gl_Position = vec4(p * u_projScale + u_projOffset, a_position.z * 2.0 - 1.0, 1.0);
    v_color = a_color;
    v_texCoord = a_texCoord;
}
)";

// Shared by the built-in stage and every shader file: the inputs a shader file
// may use and BaseColor(), the built-in colour, so a shader can start from it.
const char* const kFragmentPrelude = R"(#version 330 core
uniform sampler2D u_texture;
uniform int u_blendMode;
in vec4 v_color;
in vec2 v_texCoord;
out vec4 fragColor;
vec4 BaseColor() {
    vec4 t = texture(u_texture, v_texCoord);
    if ((u_blendMode & 1) != 0)
        return vec4(t.rgb + v_color.rgb, t.a * v_color.a);
    return t * v_color;
}
)";

// The built-in stage comes in two fixed forms: a per-pixel branch on the
// blend mode costs real time on a software rasteriser.
const char* const kMultiplyBody =
    "void main() { fragColor = texture(u_texture, v_texCoord) * v_color; }\n";
const char* const kAddBody = "void main() {\n"
                             "    vec4 t = texture(u_texture, v_texCoord);\n"
                             "    fragColor = vec4(t.rgb + v_color.rgb, t.a * v_color.a);\n"
                             "}\n";

std::string InfoLog(GLuint object, bool program) {
    GLint length = 0;
    if (program)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) {
        if (program)
            glGetProgramInfoLog(object, length, nullptr, log.data());
        else
            glGetShaderInfoLog(object, length, nullptr, log.data());
    }
    while (!log.empty() && (log.back() == '\0' || log.back() == '\n'))
        log.pop_back();
    return log;
}

GLuint Compile(GLenum type, const std::string& source, std::string& error) {
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        error = InfoLog(shader, false);
        if (error.empty())
            error = "compile failed";
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// A shader file may carry its own #version line; ours comes first, so blank
// it out (keeping the line count so error line numbers still match the file).
std::string WithoutVersionLine(std::string source) {
    size_t pos = 0;
    while ((pos = source.find("#version", pos)) != std::string::npos) {
        size_t end = source.find('\n', pos);
        if (end == std::string::npos)
            end = source.size();
        source.replace(pos, end - pos, "//" + source.substr(pos + 1, end - pos - 1));
        pos = end + 1;
    }
    return source;
}

} // namespace

GlShaderProgram::~GlShaderProgram() {
    Release();
}

GlShaderProgram::GlShaderProgram(GlShaderProgram&& other) noexcept {
    *this = std::move(other);
}

GlShaderProgram& GlShaderProgram::operator=(GlShaderProgram&& other) noexcept {
    if (this != &other) {
        Release();
        m_program = std::exchange(other.m_program, 0);
        m_locProjScale = other.m_locProjScale;
        m_locProjOffset = other.m_locProjOffset;
        m_locMatrix = other.m_locMatrix;
        m_locOffset = other.m_locOffset;
        m_locBlend = other.m_locBlend;
        m_sentVersion = other.m_sentVersion;
        m_sentBlend = other.m_sentBlend;
        m_floatLocations = std::move(other.m_floatLocations);
    }
    return *this;
}

void GlShaderProgram::Release() {
    if (m_program)
        glDeleteProgram(m_program);
    m_program = 0;
}

bool GlShaderProgram::BuildDefault(bool colourAdd, std::string& error) {
    return Build(std::string(kFragmentPrelude) + (colourAdd ? kAddBody : kMultiplyBody), error);
}

bool GlShaderProgram::BuildCustom(const std::string& fragmentSource, std::string& error) {
    // #line 1 makes the compiler's line numbers those of the shader file.
    return Build(std::string(kFragmentPrelude) + "#line 1\n" + WithoutVersionLine(fragmentSource),
                 error);
}

bool GlShaderProgram::Build(const std::string& fragmentSource, std::string& error) {
    Release();
    GLuint vs = Compile(GL_VERTEX_SHADER, kVertexSource, error);
    if (!vs)
        return false;
    GLuint fs = Compile(GL_FRAGMENT_SHADER, fragmentSource, error);
    if (!fs) {
        glDeleteShader(vs);
        return false;
    }
    m_program = glCreateProgram();
    glAttachShader(m_program, vs);
    glAttachShader(m_program, fs);
    glLinkProgram(m_program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(m_program, GL_LINK_STATUS, &ok);
    if (!ok) {
        error = InfoLog(m_program, true);
        if (error.empty())
            error = "link failed";
        Release();
        return false;
    }
    m_locProjScale = glGetUniformLocation(m_program, "u_projScale");
    m_locProjOffset = glGetUniformLocation(m_program, "u_projOffset");
    m_locMatrix = glGetUniformLocation(m_program, "u_matrix");
    m_locOffset = glGetUniformLocation(m_program, "u_offset");
    m_locBlend = glGetUniformLocation(m_program, "u_blendMode");
    glUseProgram(m_program);
    glUniform1i(glGetUniformLocation(m_program, "u_texture"), 0);
    m_sentVersion = ~0u;
    m_sentBlend = -1;
    m_floatLocations.clear();
    return true;
}

void GlShaderProgram::Use(const GlDrawState& state, int blendMode) {
    glUseProgram(m_program);
    if (m_sentVersion != state.version) {
        glUniform2fv(m_locProjScale, 1, state.projScale);
        glUniform2fv(m_locProjOffset, 1, state.projOffset);
        glUniformMatrix2fv(m_locMatrix, 1, GL_FALSE, state.matrix);
        glUniform2fv(m_locOffset, 1, state.offset);
        m_sentVersion = state.version;
    }
    if (m_sentBlend != blendMode) {
        glUniform1i(m_locBlend, blendMode);
        m_sentBlend = blendMode;
    }
}

void GlShaderProgram::SetFloat(const std::string& name, float value) {
    if (!m_program)
        return;
    auto it = m_floatLocations.find(name);
    if (it == m_floatLocations.end())
        it = m_floatLocations.emplace(name, glGetUniformLocation(m_program, name.c_str())).first;
    if (it->second < 0)
        return; // not in this shader (or optimised away): nothing to set
    glUseProgram(m_program);
    glUniform1f(it->second, value);
}
