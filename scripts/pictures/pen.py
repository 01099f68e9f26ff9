"""A broad-pen stroke for SVG: a smooth centre line with a width at each of its points, turned
into a filled outline. Clefs, braces and the lantern's string are drawn with it."""

import math


def catmull_rom(points, samples=24):
    """Dense points of a Catmull-Rom spline through the given (x, y, width) points."""
    if len(points) < 2:
        return list(points)
    padded = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(padded) - 2):
        p0, p1, p2, p3 = padded[i - 1], padded[i], padded[i + 1], padded[i + 2]
        for step in range(samples):
            t = step / samples
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3)
                for k in range(3)))
    out.append(tuple(points[-1]))
    return out


def _normals(line):
    normals = []
    for i, point in enumerate(line):
        a = line[max(i - 1, 0)]
        b = line[min(i + 1, len(line) - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1.0
        normals.append((-dy / length, dx / length))
    return normals


def stroke_outline(points, samples=24):
    """The closed outline (list of (x, y)) of a stroke through (x, y, width) points, with round
    ends."""
    line = catmull_rom(points, samples)
    normals = _normals(line)
    left = [(p[0] + n[0] * p[2] / 2, p[1] + n[1] * p[2] / 2) for p, n in zip(line, normals)]
    right = [(p[0] - n[0] * p[2] / 2, p[1] - n[1] * p[2] / 2) for p, n in zip(line, normals)]
    end_angle = math.atan2(normals[-1][1], normals[-1][0])
    start_angle = math.atan2(normals[0][1], normals[0][0]) + math.pi
    return left + _cap(line[-1], end_angle) + right[::-1] + _cap(line[0], start_angle)


def _cap(point, from_angle):
    """Half circle round an end of the stroke, from one side of it to the other."""
    radius = point[2] / 2
    return [(point[0] + radius * math.cos(from_angle - math.pi * step / 8),
             point[1] + radius * math.sin(from_angle - math.pi * step / 8)) for step in range(1, 8)]


def path_data(outline, scale=1.0, dx=0.0, dy=0.0):
    """SVG path data of a closed outline, scaled and moved."""
    parts = [f"{dx + x * scale:.2f},{dy + y * scale:.2f}" for x, y in outline]
    return "M" + " L".join(parts) + " Z"


def stroke_path(points, scale=1.0, dx=0.0, dy=0.0, samples=24):
    return path_data(stroke_outline(points, samples), scale, dx, dy)
