Y = CLK & I1 & I2 & I3 & I4 & I5 & I6 & I7 & I8 & I9 & I10 & I11 & I12 & I13 & I14 & I15 & I16 & I17
				; 1 


$__SYMTAB_INFO:
Design_Name: breit
Gal_Type: 2
Gal_Mode: 4
Clk_Pin: 1
User_ID: __LEER

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I1 Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I2 Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I3 Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I4 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I5 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I6 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I7 Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I8 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I9 Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I10 Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: I11 Pin_or_Node: 1 Number: 13 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I12 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I13 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I14 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I15 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I16 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I17 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Y Pin_or_Node: 1 Number: 20 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: O1 Pin_or_Node: 1 Number: 21 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O2 Pin_or_Node: 1 Number: 22 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: O3 Pin_or_Node: 1 Number: 23 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 25 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 26 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
