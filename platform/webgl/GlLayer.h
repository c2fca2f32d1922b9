// Fixed-function OpenGL 1.x and GLU over OpenGL ES 3 / WebGL 2, for the browser build.
//
// Only what the show calls: immediate mode keeping the current colour, normal and texture
// coordinate; display lists of immediate-mode drawing and translations; the modelview and
// projection stacks with glOrtho, gluPerspective and gluLookAt; GLU's spheres and cylinders
// (GLU's own vertices, normals and texture coordinates); linear fog; sphere-map texgen; one
// texture unit modulating the colour; rectangle textures as 2D textures addressed in texels;
// polygon mode GL_LINE, wide lines and large points drawn as triangles; copies from the
// framebuffer into textures. Vertices are transformed on the CPU and drawn by one small shader;
// consecutive primitives with the same texture and fog go to ES as one draw, sent before any
// call that changes the state they draw under or reads the framebuffer (queries included, so
// framebuffer objects used beneath the layer see every primitive drawn before them).
//
// Not covered: lighting, fragment programs (the extension string names only rectangle textures), more than one texture unit (GL_MAX_TEXTURE_UNITS reads 1, so texture
// combiners are never asked for), texture matrices, flat shading, line stipple, face culling
// of outlines and points (they are drawn as triangles facing the viewer), and any call
// other than immediate drawing, glColor/glNormal/glTexCoord and translations inside a display
// list (those run at once instead of being recorded).
//
// Included by render/Gl.h after the GL headers when VEX_GL_LAYER is defined: each GL name the
// show uses becomes a call into this layer, so the show's sources compile unchanged.
#pragma once

#ifdef VEX_GL_LAYER_IMPLEMENTATION
#include <GLES3/gl3.h>
typedef double GLdouble;
typedef struct GLUquadric GLUquadric;
#else
#include <GL/gl.h>
#include <GL/glu.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Context: call once with the ES 3 context current, before any other call of the layer.
int vglInit(int framebufferWidth, int framebufferHeight);
// Draws into an offscreen RGBA8 target with a 16-bit depth buffer, the depth the native window
// asks for (a browser's canvas has 24 bits, which settles coplanar outlines differently);
// vglPresent copies it to the canvas at the end of each frame, unless the frame was drawn
// elsewhere and put on the canvas already (the window's picture target, scaling beneath the
// layer with ES 3's own framebuffer objects). 0 when ES refused.
int vglUseOffscreenTarget(int width, int height);
void vglPresent(void);
// What GL_RENDERER reads from now on: a browser names only itself there and tells the renderer
// beneath (a graphics card, or SwiftShader in software) through an extension of its own.
void vglSetRendererName(const char* name);

void vglEnable(GLenum cap);
void vglDisable(GLenum cap);
GLboolean vglIsEnabled(GLenum cap);
void vglGetIntegerv(GLenum name, GLint* values);
void vglGetFloatv(GLenum name, GLfloat* values);
const GLubyte* vglGetString(GLenum name);
GLenum vglGetError(void);
void vglHint(GLenum target, GLenum mode);
void vglShadeModel(GLenum mode);
void vglFlush(void);
void vglFinish(void);
void vglScissor(GLint x, GLint y, GLsizei width, GLsizei height);
// Saves everything the layer keeps (switches, fog, colour, line and polygon modes, bindings,
// blending, depth function, viewport), whatever the mask; the pop restores it all.
void vglPushAttrib(GLbitfield mask);
void vglPopAttrib(void);
// RGB or RGBA bytes, 1-byte aligned; only what the glow's start-up self-check needs.
void vglWindowPos2i(GLint x, GLint y);
void vglDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels);
void vglReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels);

void vglViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void vglClear(GLbitfield mask);
void vglClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void vglClearDepth(GLdouble depth);
void vglDepthFunc(GLenum func);
void vglCullFace(GLenum mode);
void vglBlendFunc(GLenum source, GLenum destination);
void vglPolygonMode(GLenum face, GLenum mode);
void vglLineWidth(GLfloat width);
void vglPointSize(GLfloat size);
void vglFogf(GLenum name, GLfloat value);
void vglFogi(GLenum name, GLint value);
void vglFogfv(GLenum name, const GLfloat* values);
void vglTexGeni(GLenum coord, GLenum name, GLint value);
void vglTexEnvi(GLenum target, GLenum name, GLint value);

void vglMatrixMode(GLenum mode);
void vglLoadIdentity(void);
void vglPushMatrix(void);
void vglPopMatrix(void);
void vglTranslatef(GLfloat x, GLfloat y, GLfloat z);
void vglTranslated(GLdouble x, GLdouble y, GLdouble z);
void vglRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void vglScalef(GLfloat x, GLfloat y, GLfloat z);
void vglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
void vgluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void vgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                GLdouble upX, GLdouble upY, GLdouble upZ);

void vglBegin(GLenum mode);
void vglEnd(void);
void vglVertex2f(GLfloat x, GLfloat y);
void vglVertex2i(GLint x, GLint y);
void vglVertex3f(GLfloat x, GLfloat y, GLfloat z);
void vglVertex3fv(const GLfloat* v);
void vglVertex3i(GLint x, GLint y, GLint z);
void vglColor3f(GLfloat r, GLfloat g, GLfloat b);
void vglColor3fv(const GLfloat* v);
void vglColor3ub(GLubyte r, GLubyte g, GLubyte b);
void vglColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void vglNormal3f(GLfloat x, GLfloat y, GLfloat z);
void vglNormal3fv(const GLfloat* v);
void vglTexCoord2f(GLfloat s, GLfloat t);
void vglTexCoord2fv(const GLfloat* v);
void vglTexCoord2i(GLint s, GLint t);
void vglTexCoord2s(GLshort s, GLshort t);
void vglMultiTexCoord2i(GLenum unit, GLint s, GLint t);
void vglActiveTexture(GLenum unit);

GLuint vglGenLists(GLsizei range);
void vglNewList(GLuint list, GLenum mode);
void vglEndList(void);
void vglListBase(GLuint base);
void vglCallLists(GLsizei count, GLenum type, const void* lists);

void vglGenTextures(GLsizei count, GLuint* names);
void vglDeleteTextures(GLsizei count, const GLuint* names);
void vglBindTexture(GLenum target, GLuint name);
void vglTexParameteri(GLenum target, GLenum name, GLint value);
void vglPixelStorei(GLenum name, GLint value);
void vglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                   GLenum format, GLenum type, const void* pixels);
void vglCopyTexSubImage2D(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x, GLint y,
                          GLsizei width, GLsizei height);

GLUquadric* vgluNewQuadric(void);
void vgluQuadricNormals(GLUquadric* quadric, GLenum normals);
void vgluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords);
void vgluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks);
void vgluCylinder(GLUquadric* quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks);

#ifdef __cplusplus
}
#endif

#ifndef VEX_GL_LAYER_IMPLEMENTATION
#define glEnable vglEnable
#define glDisable vglDisable
#define glIsEnabled vglIsEnabled
#define glGetIntegerv vglGetIntegerv
#define glGetFloatv vglGetFloatv
#define glGetString vglGetString
#define glGetError vglGetError
#define glHint vglHint
#define glShadeModel vglShadeModel
#define glFlush vglFlush
#define glFinish vglFinish
#define glScissor vglScissor
#define glPushAttrib vglPushAttrib
#define glPopAttrib vglPopAttrib
#define glWindowPos2i vglWindowPos2i
#define glDrawPixels vglDrawPixels
#define glReadPixels vglReadPixels
#define glViewport vglViewport
#define glClear vglClear
#define glClearColor vglClearColor
#define glClearDepth vglClearDepth
#define glDepthFunc vglDepthFunc
#define glCullFace vglCullFace
#define glBlendFunc vglBlendFunc
#define glPolygonMode vglPolygonMode
#define glLineWidth vglLineWidth
#define glPointSize vglPointSize
#define glFogf vglFogf
#define glFogi vglFogi
#define glFogfv vglFogfv
#define glTexGeni vglTexGeni
#define glTexEnvi vglTexEnvi
#define glMatrixMode vglMatrixMode
#define glLoadIdentity vglLoadIdentity
#define glPushMatrix vglPushMatrix
#define glPopMatrix vglPopMatrix
#define glTranslatef vglTranslatef
#define glTranslated vglTranslated
#define glRotatef vglRotatef
#define glScalef vglScalef
#define glOrtho vglOrtho
#define gluPerspective vgluPerspective
#define gluLookAt vgluLookAt
#define glBegin vglBegin
#define glEnd vglEnd
#define glVertex2f vglVertex2f
#define glVertex2i vglVertex2i
#define glVertex3f vglVertex3f
#define glVertex3fv vglVertex3fv
#define glVertex3i vglVertex3i
#define glColor3f vglColor3f
#define glColor3fv vglColor3fv
#define glColor3ub vglColor3ub
#define glColor4f vglColor4f
#define glNormal3f vglNormal3f
#define glNormal3fv vglNormal3fv
#define glTexCoord2f vglTexCoord2f
#define glTexCoord2fv vglTexCoord2fv
#define glTexCoord2i vglTexCoord2i
#define glTexCoord2s vglTexCoord2s
#define glMultiTexCoord2i vglMultiTexCoord2i
#define glActiveTexture vglActiveTexture
#define glGenLists vglGenLists
#define glNewList vglNewList
#define glEndList vglEndList
#define glListBase vglListBase
#define glCallLists vglCallLists
#define glGenTextures vglGenTextures
#define glDeleteTextures vglDeleteTextures
#define glBindTexture vglBindTexture
#define glTexParameteri vglTexParameteri
#define glPixelStorei vglPixelStorei
#define glTexImage2D vglTexImage2D
#define glCopyTexSubImage2D vglCopyTexSubImage2D
#define gluNewQuadric vgluNewQuadric
#define gluQuadricNormals vgluQuadricNormals
#define gluQuadricTexture vgluQuadricTexture
#define gluSphere vgluSphere
#define gluCylinder vgluCylinder
#endif
