#!/usr/bin/env python3
"""Writes the JEDEC files of the three import examples from their equations, by hand: the
sum-of-products of each source written out below, placed by the fuse layout of the devices'
data sheets, with no part of our compiler or fitter involved. kemc --import --fit of each source
must give a chip that does the same (tests/cli/import_test.cpp checks it):

    python3 derive_jedec.py        # writes decoder-by-hand.jed, sequencer-by-hand.jed, ...

A product is a list of (pin, level) literals over pin levels; its row gets a 0 (an intact link)
at the column of each literal, a row of all 1 is true, a row of all 0 is false."""

import os

HERE = os.path.dirname(os.path.abspath(__file__))

# Array columns by pin: (column of the pin's level, column of its complement).
GAL16V8_SIMPLE_COLUMNS = {2: (0, 1), 1: (2, 3), 3: (4, 5), 4: (8, 9), 5: (12, 13), 6: (16, 17),
                          7: (20, 21), 8: (24, 25), 9: (28, 29), 11: (30, 31)}
GAL16V8_REGISTERED_COLUMNS = {2: (0, 1), 3: (4, 5), 4: (8, 9), 5: (12, 13), 6: (16, 17),
                              7: (20, 21), 8: (24, 25), 9: (28, 29), 19: (2, 3), 18: (6, 7),
                              17: (10, 11), 16: (14, 15), 15: (18, 19), 14: (22, 23),
                              13: (26, 27), 12: (30, 31)}
# The GAL22V10 reads a register through its inverted output, before the polarity fuse: for an
# active-high registered output the pin's level is on the second column of the pair.
GAL22V10_COLUMNS = {1: (0, 1), 2: (4, 5), 3: (8, 9), 4: (12, 13), 5: (16, 17), 6: (20, 21),
                    7: (24, 25), 8: (28, 29), 9: (32, 33), 10: (36, 37), 11: (40, 41),
                    13: (42, 43), 23: (2, 3), 22: (6, 7), 21: (10, 11), 20: (14, 15),
                    19: (18, 19), 18: (22, 23), 17: (26, 27), 16: (30, 31), 15: (34, 35),
                    14: (38, 39)}


class FuseMap:
    def __init__(self, fuse_count, columns, column_of):
        self.fuses = [0] * fuse_count
        self.columns = columns
        self.column_of = column_of  # (pin, level) -> column

    def row(self, row, product):
        """product None: false (left all 0); [] true; else the literals."""
        if product is None:
            return
        for c in range(self.columns):
            self.fuses[row * self.columns + c] = 1
        for literal in product:
            self.fuses[row * self.columns + self.column_of(*literal)] = 0

    def rows(self, first_row, count, products):
        assert len(products) <= count
        for i, product in enumerate(products):
            self.row(first_row + i, product)


def plain_columns(table):
    return lambda pin, level: table[pin][0 if level else 1]


def signature(fuses, first, text):
    for i, ch in enumerate(text.encode()[:8]):
        for j in range(8):
            fuses[first + 8 * i + j] = (ch >> (7 - j)) & 1


def jedec_text(device, pins, fuses):
    body = "\x02Derived by hand from the equations; device %s*\r\nQP%d*\r\nQF%d*\r\nF0*\r\nG0*\r\n" % (
        device, pins, len(fuses))
    for start in range(0, len(fuses), 32):
        chunk = fuses[start:start + 32]
        if any(chunk):
            body += "L%05d %s*\r\n" % (start, "".join(str(f) for f in chunk))
    checksum = 0
    for start in range(0, len(fuses), 8):
        checksum += sum(f << i for i, f in enumerate(fuses[start:start + 8]))
    body += "C%04X*\r\n\x03" % (checksum % 65536)
    return body + "%04X" % (sum(body.encode()) % 65536)


def decoder():
    """decoder.pld, GAL16V8 simple mode: A15..A8 on pins 2..9, /MREQ on pin 11."""
    m = FuseMap(2194, 32, plain_columns(GAL16V8_SIMPLE_COLUMNS))
    mreq = (11, 0)
    a = {15 - i: 2 + i for i in range(8)}  # A15 on pin 2 ... A8 on pin 9
    # /RAMCS (pin 19, low active): MREQ * /A15
    m.rows(0, 8, [[mreq, (a[15], 0)]])
    # /ROMCS (pin 18): MREQ * A15, not all of A14..A8 high
    m.rows(8, 8, [[mreq, (a[15], 1), (a[bit], 0)] for bit in range(14, 7, -1)])
    # /IOCS (pin 17): MREQ * A15..A8 all high
    m.rows(16, 8, [[mreq] + [(a[bit], 1) for bit in range(15, 7, -1)]])
    # BOOT (pin 16, high active): MREQ * A15 * /A14 * /A13 * /A12
    m.rows(24, 8, [[mreq, (a[15], 1), (a[14], 0), (a[13], 0), (a[12], 0)]])
    xor = {3: 1}                     # only BOOT is high active
    ac1 = {0: 0, 1: 0, 2: 0, 3: 0, 4: 1, 5: 1, 6: 1, 7: 1}  # outputs; the rest inputs
    for k in range(8):
        m.fuses[2048 + k] = xor.get(k, 0)
        m.fuses[2120 + k] = ac1[k]
    for r in range(64):
        m.fuses[2128 + r] = 1
    m.fuses[2192] = 1  # SYN: simple mode
    m.fuses[2193] = 0  # AC0
    return jedec_text("GAL16V8", 20, m.fuses)


def counter():
    """counter.pld, GAL16V8 registered mode: EN pin 2, CLR pin 3, Q3..Q0 on 15..18, CARRY 19."""
    m = FuseMap(2194, 32, plain_columns(GAL16V8_REGISTERED_COLUMNS))
    en, clr = 2, 3
    q = {0: 18, 1: 17, 2: 16, 3: 15}
    def count_terms(bit):
        # hold: /CLR * /EN * Qbit; count: /CLR * EN * (Qbit xor all lower bits high)
        terms = [[(clr, 0), (en, 0), (q[bit], 1)]]
        for lower in range(bit):
            terms.append([(clr, 0), (en, 1), (q[lower], 0), (q[bit], 1)])
        terms.append([(clr, 0), (en, 1)] + [(q[lower], 1) for lower in range(bit)] + [(q[bit], 0)])
        return terms
    for bit, pin in q.items():
        m.rows((19 - pin) * 8, 8, count_terms(bit))
    # CARRY (pin 19, combinational): the first row of its block is its output enable, always on.
    m.row(0, [])
    m.rows(1, 7, [[(en, 1)] + [(q[bit], 1) for bit in range(4)]])
    for k in range(8):
        pin = 19 - k
        m.fuses[2048 + k] = 1 if pin in (15, 16, 17, 18, 19) else 0
        m.fuses[2120 + k] = 0 if pin in q.values() else 1  # registered, else combinational
    for r in range(64):
        m.fuses[2128 + r] = 1
    m.fuses[2192] = 0  # SYN: registered mode
    m.fuses[2193] = 1  # AC0
    signature(m.fuses, 2056, "CNT4")
    return jedec_text("GAL16V8", 20, m.fuses)


def sequencer():
    """sequencer.pld, GAL22V10: RUN 2, RST 3, PRE 4, /OE 5; Q0 23 and Q1 22 registered high
    active, /LAST 21 combinational."""
    registered_high = {23, 22}
    def column(pin, level):
        true_column, complement = GAL22V10_COLUMNS[pin]
        if pin in registered_high:
            level = not level
        return true_column if level else complement
    m = FuseMap(5892, 44, column)
    run, rst, pre, oe = 2, 3, 4, 5
    m.row(0, [(rst, 1)])                    # AR = RST
    m.row(131, [(pre, 1), (rst, 0)])        # SP = PRE * /RST
    m.row(1, [(oe, 0)])                     # Q0 driven while /OE is low
    m.rows(2, 8, [[(run, 1), (22, 0)], [(run, 0), (23, 1)]])
    m.row(10, [(oe, 0)])
    m.rows(11, 10, [[(run, 1), (23, 1)], [(run, 0), (22, 1)]])
    m.row(21, [])                           # /LAST always driven
    m.rows(22, 12, [[(22, 1), (23, 0)]])
    cells = {0: (1, 0), 1: (1, 0), 2: (0, 1)}  # macrocell: (S0 high active, S1 combinational)
    for k in range(10):
        s0, s1 = cells.get(k, (0, 1))
        m.fuses[5808 + 2 * k] = s0
        m.fuses[5809 + 2 * k] = s1
    return jedec_text("GAL22V10", 24, m.fuses)


if __name__ == "__main__":
    for name, make in (("decoder", decoder), ("counter", counter), ("sequencer", sequencer)):
        with open(os.path.join(HERE, name + "-by-hand.jed"), "w", newline="") as out:
            out.write(make())
