// Sines and cosines of many angles at once, for drawing many rotated
// quads: one plain loop the compiler can vectorise, agreeing with std::sin
// and std::cos to within two units in the last place (a drawn corner moves
// by a millionth of a pixel).
#pragma once

// sines[i] = sin(angles[i]), cosines[i] = cos(angles[i]), in radians.
void SinCos(const float* angles, float* sines, float* cosines, int count);
