// The ceiling: the least GL 3.3 that draws the workload. All vertices go
// into one orphaned buffer per frame, then one draw per texture run.
#include "bench/renderer/Benches.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cstddef>

namespace {

const char* const kVertex = R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec4 a_color;
layout(location = 2) in vec2 a_texCoord;
out vec4 v_color;
out vec2 v_texCoord;
void main() {
    gl_Position = vec4(a_position.x / 512.0 - 1.0, 1.0 - a_position.y / 384.0, 0.0, 1.0);
    v_color = a_color;
    v_texCoord = a_texCoord;
})";

const char* const kFragment = R"(#version 330 core
uniform sampler2D u_texture;
in vec4 v_color;
in vec2 v_texCoord;
out vec4 fragColor;
void main() { fragColor = texture(u_texture, v_texCoord) * v_color; })";

GLuint BuildProgram() {
    GLuint program = glCreateProgram();
    for (auto [type, source] :
         {std::pair{GL_VERTEX_SHADER, kVertex}, {GL_FRAGMENT_SHADER, kFragment}}) {
        GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    return ok ? program : 0;
}

double Draw(const BenchConfig& config, SDL_Window* window) {
    GLuint program = BuildProgram();
    if (!program)
        return 0;
    std::vector<Quad> quads = MakeBenchQuads(config.quads, config.size);
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
    for (size_t i = 0; i < quads.size(); ++i) {
        vertices.insert(vertices.end(), quads[i].v, quads[i].v + 4);
        const auto b = static_cast<GLuint>(i * 4);
        indices.insert(indices.end(), {b, b + 1, b + 2, b, b + 2, b + 3});
    }
    GLuint textures[2], vao, vbo, ibo;
    glGenTextures(2, textures);
    for (int t = 0; t < 2; ++t) {
        std::vector<std::uint32_t> pixels = MakeBenchTexture(t);
        glBindTexture(GL_TEXTURE_2D, textures[t]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kBenchTextureSize, kBenchTextureSize, 0, GL_BGRA,
                     GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
    }
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &ibo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    const GLsizei stride = sizeof(Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(Vertex, x));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          (void*)offsetof(Vertex, col));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(Vertex, tx));
    glUseProgram(program);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, kBenchWidth, kBenchHeight);

    const auto bytes = GLsizeiptr(vertices.size() * sizeof(Vertex));
    using Clock = std::chrono::steady_clock;
    Clock::time_point start;
    for (int frame = 0; frame < config.warmup + config.frames; ++frame) {
        if (frame == config.warmup) {
            glFinish();
            start = Clock::now();
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, vertices.data());
        for (int first = 0; first < config.quads; first += kTextureRun) {
            const int count = std::min(kTextureRun, config.quads - first);
            glBindTexture(GL_TEXTURE_2D, textures[(first / kTextureRun) % 2]);
            glDrawElements(GL_TRIANGLES, count * 6, GL_UNSIGNED_INT,
                           (void*)(size_t(first) * 6 * sizeof(GLuint)));
        }
        SDL_GL_SwapWindow(window);
    }
    glFinish();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    glDeleteBuffers(1, &vbo);
    glDeleteBuffers(1, &ibo);
    glDeleteVertexArrays(1, &vao);
    glDeleteTextures(2, textures);
    glDeleteProgram(program);
    return double(config.quads) * config.frames / seconds;
}

} // namespace

double RunMinimalGlBench(const BenchConfig& config) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 0;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window =
        SDL_CreateWindow("renderer bench: minimal GL", SDL_WINDOWPOS_CENTERED,
                         SDL_WINDOWPOS_CENTERED, kBenchWidth, kBenchHeight, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    double result = 0;
    if (context) {
        SDL_GL_SetSwapInterval(0);
        result = Draw(config, window);
        SDL_GL_DeleteContext(context);
    }
    if (window)
        SDL_DestroyWindow(window);
    SDL_Quit();
    return result;
}
