#pragma once
// Lengths cross between the host and the engine here and nowhere else: the host measures
// millimetres, records and the engine metres. The world's scale factor is the engine's business
// and is never applied on this side.

namespace units {

/// Host millimetres to record metres: multiply.
constexpr float metres_per_millimetre = 0.001f;
/// Record metres to host millimetres: multiply.
constexpr float millimetres_per_metre = 1000.0f;
/// The same factor in double, for sizes converted in double and rounded to float once (the
/// primitive sizes: their stored float is the nearest to millimetres / 1000).
constexpr double metres_per_millimetre_double = 0.001;

}  // namespace units
