# Locates every system library once and exposes it as an imported target.
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
pkg_check_modules(VEX_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(VEX_WAYLAND REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(VEX_MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(VEX_PNG REQUIRED IMPORTED_TARGET libpng zlib)
pkg_check_modules(VEX_GLU REQUIRED IMPORTED_TARGET glu)
pkg_check_modules(VEX_KISSFFT REQUIRED IMPORTED_TARGET kissfft-float)
pkg_check_modules(VEX_FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(VEX_AV REQUIRED IMPORTED_TARGET libavformat libavcodec libavutil libswscale libswresample)
find_library(VEX_MP3LAME mp3lame REQUIRED)
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(Threads REQUIRED)
find_package(X11 REQUIRED)

add_library(vex_gl INTERFACE)
target_link_libraries(vex_gl INTERFACE OpenGL::OpenGL PkgConfig::VEX_GLU)
add_library(vex::gl ALIAS vex_gl)

# Only platform/ includes these headers; the library links them privately.
add_library(vex_platform_deps INTERFACE)
target_link_libraries(vex_platform_deps INTERFACE
  PkgConfig::VEX_SDL2 PkgConfig::VEX_MPG123 PkgConfig::VEX_PNG PkgConfig::VEX_KISSFFT
  PkgConfig::VEX_AV PkgConfig::VEX_WAYLAND PkgConfig::VEX_FREETYPE OpenGL::EGL ${VEX_MP3LAME} Threads::Threads X11::X11)
add_library(vex::platform_deps ALIAS vex_platform_deps)

# Dear ImGui core from Debian's static library; its SDL2 and OpenGL2 backends from the sources
# the package ships, built here against our SDL2.
set(VEX_IMGUI_BACKENDS /usr/share/doc/libimgui-dev/examples/backends)
add_library(vex_imgui STATIC
  ${VEX_IMGUI_BACKENDS}/imgui_impl_sdl.cpp
  ${VEX_IMGUI_BACKENDS}/imgui_impl_opengl2.cpp)
target_include_directories(vex_imgui SYSTEM PUBLIC /usr/include/imgui /usr/include/imgui/backends)
target_link_libraries(vex_imgui PUBLIC /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/libimgui.a
  PkgConfig::VEX_SDL2 OpenGL::OpenGL PkgConfig::VEX_FREETYPE stb)
