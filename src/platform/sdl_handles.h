#pragma once

// RAII owners of SDL objects. Only the platform layer's own sources include this header.

#include <SDL.h>
#include <SDL_mixer.h>

#include <memory>

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
struct SdlTextureDeleter {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
struct SdlRendererDeleter {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct SdlWindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct SdlRwopsDeleter {
    void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};
struct SdlCursorDeleter {
    void operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
};
struct MixChunkDeleter {
    void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
};
struct SdlMemoryDeleter {
    void operator()(void* p) const { SDL_free(p); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;
using WindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using RwopsPtr = std::unique_ptr<SDL_RWops, SdlRwopsDeleter>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, MixChunkDeleter>;
