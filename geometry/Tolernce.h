#pragma once
// The setter rule shared by the point and angle tolerances.

// A value of at least the start value becomes the tolerance; a value from 0 up to the start
// value turns the fuzz off (0); a negative value leaves the tolerance as it is.
inline void SetToleranceByRule(double& tolerance, double value, double startValue)
{
  if (value >= startValue)
    tolerance = value;
  else if (value >= 0.0)
    tolerance = 0.0;
}
