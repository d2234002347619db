E0 =  /A0 &  /B0 +
		A0 & B0
				; 2 
E1 =  /A1 &  /B1 +
		A1 & B1
				; 2 
E2 =  /A2 &  /B2 +
		A2 & B2
				; 2 
E3 =  /A3 &  /B3 +
		A3 & B3
				; 2 
EQ = E0 & E1 & E2 & E3
				; 1 
GT = A0 &  /B0 & E1 & E2 & E3 +
		A1 &  /B1 & E2 & E3 +
		A2 &  /B2 & E3 +
		A3 &  /B3
				; 4 
LT =  /A0 & B0 & E1 & E2 & E3 +
		 /A1 & B1 & E2 & E3 +
		 /A2 & B2 & E3 +
		 /A3 & B3
				; 4 


$__SYMTAB_INFO:
Design_Name: comparator
Gal_Type: 1
Gal_Mode: 1
Clk_Pin: 1
User_ID: __LEER

Pin_Node: A0 Pin_or_Node: 1 Number: 1 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A1 Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A2 Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A3 Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B0 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B1 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B2 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B3 Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 13 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 14 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: E0 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: E1 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: E2 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: LT Pin_or_Node: 1 Number: 18 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: EQ Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: E3 Pin_or_Node: 1 Number: 20 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: GT Pin_or_Node: 1 Number: 21 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 23 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
