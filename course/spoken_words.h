#pragma once

#include <string>
#include <string_view>

// The words of the course as a screen reader is to say them: the screen
// keeps its notation (A(2,3), 1E-07, |d| ≥ |e|), which a speech synthesizer
// reads as punctuation ("A открывающая скобка 2 запятая 3", "1E дефис 07")
// or drops (a minus sign). Here an index is said as an index ("A строка 2,
// столбец 3", "x 3", "вращение столбцов 1 и 2"), a number in exponent form
// as a number ("1 на 10 в степени минус 7"), a minus as "минус", and the
// signs of the formulas as words.
std::u16string spokenText(std::u16string_view shown);
