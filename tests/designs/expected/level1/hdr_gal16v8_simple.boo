

$__SYMTAB_INFO:
Design_Name: dekoder
Gal_Type: 0
Gal_Mode: 1
Clk_Pin: 1
User_ID: D16S

Pin_Node: I0 Pin_or_Node: 1 Number: 1 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I1 Pin_or_Node: 1 Number: 2 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I2 Pin_or_Node: 1 Number: 3 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I3 Pin_or_Node: 1 Number: 4 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: EN Pin_or_Node: 1 Number: 5 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 6 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 7 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: O7 Pin_or_Node: 1 Number: 12 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O6 Pin_or_Node: 1 Number: 13 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O5 Pin_or_Node: 1 Number: 14 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O4 Pin_or_Node: 1 Number: 15 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O3 Pin_or_Node: 1 Number: 16 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O2 Pin_or_Node: 1 Number: 17 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O1 Pin_or_Node: 1 Number: 18 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O0 Pin_or_Node: 1 Number: 19 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
