"""Deterministic random numbers for the asset generator (same bytes on every run)."""


class Azar:
    """A 32-bit xorshift generator: tiny, portable and stable across Python versions."""

    def __init__(self, semilla):
        self.estado = (semilla * 2654435761) & 0xFFFFFFFF or 0x9E3779B9

    def entero(self):
        s = self.estado
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.estado = s
        return s

    def real(self):
        """Uniform in [0, 1)."""
        return self.entero() / 4294967296.0

    def rango(self, a, b):
        """Uniform in [a, b)."""
        return a + (b - a) * self.real()

    def hasta(self, n):
        """Integer in [0, n)."""
        return self.entero() % n
