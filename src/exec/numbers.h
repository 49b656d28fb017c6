// Tables and helpers of the number functions.
#pragma once
#include <stdint.h>

// 0, 1, 2!, .. 170!, +inf: built once at start-up, never freed.
const int32_t FactorialCount = 172;
extern double* Factorials;
void BuildFactorialTable();
