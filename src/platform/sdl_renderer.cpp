// Frames through SDL's renderer, where a GPU draws them: the frame into a
// streaming texture, drawn by whole factors, or for sharp scaling enlarged by the
// whole factor into a target that is drawn smoothed to the window.
#include "platform/sdl_parts.h"

#include <cstring>

namespace {

SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
// Sharp scaling: the picture enlarged by the whole factor into this target, which is
// then drawn to the window with smoothing.
SDL_Texture* Enlarged = nullptr;
int Enlarged_K = 0;

// Names under which Mesa and others report OpenGL done on the CPU.
bool Software_Gl(const char* name) {
    if (name == nullptr) return true;
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast", "SWR"})
        if (std::strstr(name, soft) != nullptr) return true;
    return false;
}

}  // namespace

bool Open_Renderer(bool accelerated) {
    Renderer = SDL_CreateRenderer(Sdl.win, -1, accelerated ? 0 : SDL_RENDERER_SOFTWARE);
    if (Renderer == nullptr) return Sdl_Fail("no renderer for the window");
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                Pic_W, Pic_H);
    if (Texture == nullptr) {
        Sdl_Fail("no texture for the window");
        SDL_DestroyRenderer(Renderer);
        Renderer = nullptr;
        return false;
    }
    Sdl.way = Sdl_Way::Through_Renderer;
    SDL_RendererInfo info;
    Sdl.way_text = "SDL renderer";
    if (SDL_GetRendererInfo(Renderer, &info) == 0) Sdl.way_text += std::string(" ") + info.name;
    return true;
}

void Close_Renderer() {
    if (Enlarged) SDL_DestroyTexture(Enlarged);
    Enlarged = nullptr;
    Enlarged_K = 0;
    if (Texture) SDL_DestroyTexture(Texture);
    if (Renderer) SDL_DestroyRenderer(Renderer);
    Texture = nullptr;
    Renderer = nullptr;
}

bool Renderer_Accelerated() {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(Renderer, &info) != 0) return false;
    if ((info.flags & SDL_RENDERER_ACCELERATED) == 0 || std::strcmp(info.name, "software") == 0)
        return false;
    if (std::strncmp(info.name, "opengl", 6) != 0) return true;
    using Get_String = const unsigned char* (*)(unsigned);
    const auto get = reinterpret_cast<Get_String>(SDL_GL_GetProcAddress("glGetString"));
    const char* name = get != nullptr ? reinterpret_cast<const char*>(get(0x1F01)) : nullptr;
    if (name != nullptr) Sdl.way_text += std::string(" (") + name + ")";
    return !Software_Gl(name);
}

void Draw_Shown() {
    if (Renderer == nullptr || Texture == nullptr) return;
    void* dst = nullptr;
    int dst_pitch = 0;
    if (SDL_LockTexture(Texture, nullptr, &dst, &dst_pitch) != 0) return;
    Plat_Convert_Frame(Sdl.shown_pixels.data(), Pic_W, Sdl.shown_palette,
                       static_cast<uint32_t*>(dst), dst_pitch / 4);
    SDL_UnlockTexture(Texture);
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(Renderer, &w, &h);
    const Plat_Layout l = Plat_Layout_For(w, h, Sdl.scale);
    const SDL_Rect to{l.x, l.y, l.w, l.h};
    SDL_RenderClear(Renderer);
    if (l.w != Pic_W * l.k) {
        // Enlarged crisply by the whole factor, then smoothed the last step.
        if (Enlarged == nullptr || Enlarged_K != l.k) {
            if (Enlarged) SDL_DestroyTexture(Enlarged);
            Enlarged = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_TARGET, Pic_W * l.k, Pic_H * l.k);
            Enlarged_K = l.k;
            if (Enlarged) SDL_SetTextureScaleMode(Enlarged, SDL_ScaleModeLinear);
        }
        if (Enlarged != nullptr && SDL_SetRenderTarget(Renderer, Enlarged) == 0) {
            SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
            SDL_SetRenderTarget(Renderer, nullptr);
            SDL_RenderClear(Renderer);
            SDL_RenderCopy(Renderer, Enlarged, nullptr, &to);
            SDL_RenderPresent(Renderer);
            return;
        }
    }
    SDL_RenderCopy(Renderer, Texture, nullptr, &to);
    SDL_RenderPresent(Renderer);
}
