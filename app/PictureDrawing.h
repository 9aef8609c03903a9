#pragma once

class PictureBox;

// Clears what was drawn on a picture box: its persistent image becomes the box's size,
// filled with its background colour under its picture (Cls).
void clearDrawing(PictureBox &box);
