// The translation unit that carries the precompiled headers of cmake/PrecompiledQt.h.
