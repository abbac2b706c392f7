#pragma once
// The built-in example membrane elements 1, 2 and 3: three shear panels of the PV series
// (890 x 890 x 70 mm, welded-wire mats in x and y at 50 mm, loaded in pure shear), each with its
// measured concrete strength, bar sizes and yield stresses, and its measured shear strength as
// experimental data (value list 14, "shear").
//
//   1  PV19: f'c 19.0 MPa; x 1.785 % at 458 MPa; y 0.713 % at 299 MPa; v_u 3.95 MPa
//   2  PV20: f'c 19.6 MPa; x 1.785 % at 460 MPa; y 0.885 % at 297 MPa; v_u 4.26 MPa
//   3  PV21: f'c 19.5 MPa; x 1.785 % at 458 MPa; y 1.296 % at 302 MPa; v_u 5.03 MPa
//
// A filler expects a freshly defaulted element (TShell's example constructor) and leaves it
// validated and not modified. Units SI.

class TShell;

// Fill the element with example panel 1, 2 or 3; 1 when filled.
int LoadExampleShell1(TShell& shell);
int LoadExampleShell2(TShell& shell);
int LoadExampleShell3(TShell& shell);

// The filler behind TShell's example constructor: example 1, 2 or 3 as above; any other number
// leaves the element as it is and answers 0.
int LoadExampleShell(TShell& shell, int example);
