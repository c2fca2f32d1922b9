// Entry points of the timed scenes, one file each, in timeline order.
#pragma once

void DrawPlanetScene();
void DrawDolphinScene();
void DrawPillarFieldScene();
void DrawTotemScene();
void DrawFigureOrbitScene();
void DrawShaftScene();
void DrawDeformedScene();
void DrawPictureZoomScene();
void DrawTunnelScene();
void DrawPillarRowsScene(int variant);
void DrawSpikeballScene();
void DrawFinaleScene();
