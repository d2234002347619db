

$__SYMTAB_INFO:
Design_Name: bus
Gal_Type: 0
Gal_Mode: 2
Clk_Pin: 1
User_ID: __LEER

Pin_Node: A0 Pin_or_Node: 1 Number: 1 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A1 Pin_or_Node: 1 Number: 2 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A2 Pin_or_Node: 1 Number: 3 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A3 Pin_or_Node: 1 Number: 4 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A4 Pin_or_Node: 1 Number: 5 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A5 Pin_or_Node: 1 Number: 6 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A6 Pin_or_Node: 1 Number: 7 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A7 Pin_or_Node: 1 Number: 8 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: OE_IN Pin_or_Node: 1 Number: 9 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: DIR Pin_or_Node: 1 Number: 11 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D7 Pin_or_Node: 1 Number: 12 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D6 Pin_or_Node: 1 Number: 13 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D5 Pin_or_Node: 1 Number: 14 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D4 Pin_or_Node: 1 Number: 15 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D3 Pin_or_Node: 1 Number: 16 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D2 Pin_or_Node: 1 Number: 17 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D1 Pin_or_Node: 1 Number: 18 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D0 Pin_or_Node: 1 Number: 19 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
